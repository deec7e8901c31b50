// What the stubs tell the user, what they write to the log the /L: switch
// names, and the exit codes they end with.
#ifndef STUBS_STUB_MESSAGES_H
#define STUBS_STUB_MESSAGES_H

namespace stub {

// Exit codes of a package that did not run its start program to the end.
const int kExitFailed = 1;
const int kExitCancelled = 1223;  // the platform's "cancelled by the user"

// Chosen once at start from the switches: no window at all (/Q:A, and /T
// with /Q), and the log that every message and step is appended to (null
// for none). The path is kept, not copied.
void SetReporting(bool noWindows, const char* logPath);
// Whether the package may show a window: errors, questions or notes.
bool WindowsAllowed();
// False when the log cannot be written to.
bool LogWritable();

// A failure, shown whatever the switches but /Q:A (caption "Vornaly"), and
// logged with the same text.
void ShowError(const char* format, ...);
// The same, with the help text added on the screen only: the log keeps one
// line per error.
void ShowErrorWithHelp(const char* help, const char* format, ...);
// A note, left out of the screen when the package runs quietly.
void ShowNote(bool quiet, const char* format, ...);
// One line of the log only. Control characters of the line's texts are
// escaped in every line written (see log_text.h).
void LogLine(const char* format, ...);

}  // namespace stub

#endif
