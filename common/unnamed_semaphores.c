/* CreateSemaphoreW for the shipped binaries. The compiler's thread runtime
 * makes the semaphore of each of its locks with CreateSemaphoreW, which
 * Windows 95, 98 and ME export but fail: a lock that two threads ever met
 * at would then fail. This object defines the import slot itself, so the
 * linker takes no import from kernel32: an unnamed semaphore, the only kind
 * the runtime makes, comes from CreateSemaphoreA, the same call on every
 * Windows; a named one from the system's CreateSemaphoreW. */
#include <windows.h>

typedef HANDLE(WINAPI* CreateSemaphoreCall)(LPSECURITY_ATTRIBUTES, LONG, LONG, LPCWSTR);

static HANDLE WINAPI CreateSemaphoreOnAnyWindows(LPSECURITY_ATTRIBUTES attributes, LONG initial,
                                                 LONG maximum, LPCWSTR name) {
    if (!name) return CreateSemaphoreA(attributes, initial, maximum, NULL);
    CreateSemaphoreCall system = (CreateSemaphoreCall)(void*)GetProcAddress(
        GetModuleHandleA("kernel32.dll"), "CreateSemaphoreW");
    return system(attributes, initial, maximum, name);
}

/* The import slot that callers compiled against the system headers use. */
#ifdef _WIN64
#define IMPORT_SLOT "__imp_CreateSemaphoreW"
#else
#define IMPORT_SLOT "__imp__CreateSemaphoreW@16"
#endif
CreateSemaphoreCall createSemaphoreSlot __asm__(IMPORT_SLOT) = CreateSemaphoreOnAnyWindows;
