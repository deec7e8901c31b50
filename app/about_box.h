// The About box: the program's icon, name and version, and a button that
// starts the platform's system information program.
#ifndef APP_ABOUT_BOX_H
#define APP_ABOUT_BOX_H

#include <windows.h>

#include <string>

constexpr char SystemInfoUnavailable[] = "System Information Is Unavailable At This Time";
constexpr char ProductTitle[] = "Vornaly Installer";

// Shows the box modally over owner; returns 1 for Enter, 0 for Esc or the
// close box.
INT_PTR ShowAboutBox(HWND owner);

INT_PTR CALLBACK AboutDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Starts the system information program recorded in the registry and waits
// until it has ended; says it is unavailable when none can be started.
void ShowSystemInfo();

// Reads a text value with read access only. True, with the text up to its
// first NUL, for a REG_SZ value; false, with an empty text, for a key or
// value that cannot be read and for a value of any other type.
bool ReadRegistryText(HKEY root, const std::string& keyPath, const std::string& valueName,
                      std::string& text);

#endif
