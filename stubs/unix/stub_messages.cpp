// On Linux the reading code runs in a command, not a package: there are no
// windows and no log, failures go to standard error and notes to standard
// output, one sentence a line.
#include "stub_messages.h"

#include <stdarg.h>
#include <stdio.h>

namespace stub {

namespace {

void Say(FILE* to, const char* format, va_list arguments) {
    vfprintf(to, format, arguments);
    fputc('\n', to);
}

}  // namespace

void SetReporting(bool, const char*) {}

bool WindowsAllowed() { return false; }

bool LogWritable() { return true; }

void ShowError(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    Say(stderr, format, arguments);
    va_end(arguments);
}

void ShowErrorWithHelp(const char*, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    Say(stderr, format, arguments);
    va_end(arguments);
}

void ShowNote(bool quiet, const char* format, ...) {
    if (quiet) return;
    va_list arguments;
    va_start(arguments, format);
    Say(stdout, format, arguments);
    va_end(arguments);
}

void LogLine(const char*, ...) {}

}  // namespace stub
