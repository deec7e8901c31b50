// UTF-8 entry names read into UTF-16, done here because Windows 95's
// MultiByteToWideChar knows no UTF-8.
#ifndef STUBS_UTF8_H
#define STUBS_UTF8_H

#include <stdint.h>

namespace stub {

// The text as UTF-16 with its terminating zero: the number of units
// written, terminator included, or 0 when the text is not well-formed UTF-8
// (overlong forms, surrogates, beyond U+10FFFF) or does not fit.
int Utf8ToUtf16(const char* text, uint16_t* wide, int room);

}  // namespace stub

#endif
