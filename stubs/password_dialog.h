// Asks for the package's password.
#ifndef STUBS_PASSWORD_DIALOG_H
#define STUBS_PASSWORD_DIALOG_H

#include <stdint.h>

namespace stub {

// Shows the dialog "PASSWORD"; false when the user cancels. The typed text
// is cut to room - 1 characters.
bool AskPassword(char* typed, uint32_t room);

}  // namespace stub

#endif
