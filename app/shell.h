// The shell's process-wide state: the module and the main dialog's handles,
// set once during start-up and shared with the Create workflow.
#ifndef APP_SHELL_H
#define APP_SHELL_H

#include <windows.h>

struct Shell {
    HINSTANCE instance = nullptr;
    HWND mainDialog = nullptr;
    HWND statusBar = nullptr;
    HWND progressBar = nullptr;
    HWND setupList = nullptr;
    HWND passwordField = nullptr;
    HWND spanCheckBox = nullptr;
};

extern Shell TheShell;

constexpr char MainDialogTitle[] = "Create Vornaly Installation Package";

// Creates the main dialog from MAIN, gives it the program icon and title,
// and keeps its handle. Returns the dialog (null when it could not be made).
HWND CreateMainDialog(HINSTANCE instance);

// Runs until the quit message; returns its wParam.
WPARAM RunMessageLoop();

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
