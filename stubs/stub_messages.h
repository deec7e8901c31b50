// What the stubs tell the user, and the exit codes they end with.
#ifndef STUBS_STUB_MESSAGES_H
#define STUBS_STUB_MESSAGES_H

namespace stub {

// Exit codes of a package that did not run its start program to the end.
const int kExitFailed = 1;
const int kExitCancelled = 1223;  // the platform's "cancelled by the user"

// A failure, shown whatever the switches (caption "Vornaly").
void ShowError(const char* format, ...);
// A note, left out when the package runs quietly.
void ShowNote(bool quiet, const char* format, ...);

}  // namespace stub

#endif
