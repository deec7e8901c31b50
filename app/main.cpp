// VORNALY.EXE start-up: create the main dialog, show it, run the loop.
#include "dll_search.h"
#include "shell.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    RestrictDllSearch();
    HWND dialog = CreateMainDialog(instance);
    ShowWindow(dialog, showCommand);
    UpdateWindow(dialog);
    RunMessageLoop();
    return 0;  // the exit code is always 0, whatever the quit message carried
}
