// What goes into the /L: log: one line per step, whatever the names and
// texts in it hold. Pure text work.
#ifndef STUBS_LOG_TEXT_H
#define STUBS_LOG_TEXT_H

#include <stdint.h>

namespace stub {

// The text with every control character (line ends among them) and "<"
// written as "<XX>" in hexadecimal, so that a name from a package cannot
// start a line of its own nor pass for an escape. Cut at a whole character
// where the room runs out; the length written.
uint32_t EscapeLogText(const char* text, char* out, uint32_t room);

}  // namespace stub

#endif
