// Message boxes without owner window, one plain sentence each, and the log.
// Both stubs append to the same log (the outer one waits while the inner
// one runs), so each line is written at the file's end then and there and
// the file is closed again: a package that is ended leaves a whole log.
#include "stub_messages.h"

#include <windows.h>

#include <stdarg.h>
#include <string.h>

#include "win_handles.h"

namespace stub {

namespace {

bool noWindows = false;
const char* logPath = nullptr;

bool Append(const char* line) {
    FileHandle log(CreateFileA(logPath, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!log.valid()) return false;
    DWORD written = 0, length = DWORD(strlen(line));
    SetFilePointer(log.get(), 0, nullptr, FILE_END);
    return WriteFile(log.get(), line, length, &written, nullptr) && written == length;
}

void Log(const char* lead, const char* format, va_list arguments) {
    if (!logPath) return;
    char line[1100];
    int length = wsprintfA(line, "%s", lead);
    length += wvsprintfA(line + length, format, arguments);
    memcpy(line + length, "\r\n", 3);
    Append(line);
}

void Show(UINT style, bool quiet, const char* lead, const char* format, va_list arguments) {
    va_list copy;
    va_copy(copy, arguments);
    Log(lead, format, copy);
    va_end(copy);
    if (quiet || noWindows) return;
    char text[1024];
    wvsprintfA(text, format, arguments);
    MessageBoxA(nullptr, text, "Vornaly", style | MB_SETFOREGROUND);
}

}  // namespace

void SetReporting(bool noWindowsAtAll, const char* log) {
    noWindows = noWindowsAtAll;
    logPath = log;
}

bool WindowsAllowed() { return !noWindows; }

bool LogWritable() { return !logPath || Append(""); }

void ShowError(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    Show(MB_OK | MB_ICONSTOP, false, "Error: ", format, arguments);
    va_end(arguments);
}

void ShowNote(bool quiet, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    Show(MB_OK | MB_ICONINFORMATION, quiet, "", format, arguments);
    va_end(arguments);
}

void LogLine(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    Log("", format, arguments);
    va_end(arguments);
}

}  // namespace stub
