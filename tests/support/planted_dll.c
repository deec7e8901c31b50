/* A DLL that a test puts where a planted one would lie (beside the program,
   in the current folder), to see whether loading it by its bare name finds
   it. It does nothing. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)instance;
    (void)reason;
    (void)reserved;
    return TRUE;
}
