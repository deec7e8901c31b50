// Message boxes without owner window, one plain sentence each, and the log.
// Both stubs append to the same log (the outer one waits while the inner
// one runs), so each line is written at the file's end then and there and
// the file is closed again: a package that is ended leaves a whole log.
#include "stub_messages.h"

#include <windows.h>

#include <stdarg.h>
#include <string.h>

#include "log_text.h"
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

// The names in a line come from the package and the command line: escaped,
// they cannot end the line early and add lines of their own.
void Log(const char* lead, const char* format, va_list arguments) {
    if (!logPath) return;
    char text[1025], line[4 * 1024 + 16];
    wvsprintfA(text, format, arguments);
    uint32_t length = uint32_t(strlen(lead));
    memcpy(line, lead, length);
    length += EscapeLogText(text, line + length, sizeof line - length - 2);
    memcpy(line + length, "\r\n", 3);
    Append(line);
}

void Show(UINT style, bool quiet, const char* lead, const char* more, const char* format,
          va_list arguments) {
    va_list copy;
    va_copy(copy, arguments);
    Log(lead, format, copy);
    va_end(copy);
    if (quiet || noWindows) return;
    char text[2048];
    wvsprintfA(text, format, arguments);
    if (more) {
        lstrcatA(text, "\n\n");
        lstrcpynA(text + strlen(text), more, int(sizeof text - strlen(text)));
    }
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
    Show(MB_OK | MB_ICONSTOP, false, "Error: ", nullptr, format, arguments);
    va_end(arguments);
}

void ShowErrorWithHelp(const char* help, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    Show(MB_OK | MB_ICONSTOP, false, "Error: ", help, format, arguments);
    va_end(arguments);
}

void ShowNote(bool quiet, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    Show(MB_OK | MB_ICONINFORMATION, quiet, "", nullptr, format, arguments);
    va_end(arguments);
}

void LogLine(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    Log("", format, arguments);
    va_end(arguments);
}

}  // namespace stub
