// Message boxes without owner window, one plain sentence each.
#include "stub_messages.h"

#include <windows.h>

#include <stdarg.h>

namespace stub {

namespace {

void Show(UINT style, const char* format, va_list arguments) {
    char text[1024];
    wvsprintfA(text, format, arguments);
    MessageBoxA(nullptr, text, "Vornaly", style | MB_SETFOREGROUND);
}

}  // namespace

void ShowError(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    Show(MB_OK | MB_ICONSTOP, format, arguments);
    va_end(arguments);
}

void ShowNote(bool quiet, const char* format, ...) {
    if (quiet) return;
    va_list arguments;
    va_start(arguments, format);
    Show(MB_OK | MB_ICONINFORMATION, format, arguments);
    va_end(arguments);
}

}  // namespace stub
