// UTF-8, the form zip archives store names in, converted by our own code:
// Windows 95's MultiByteToWideChar and WideCharToMultiByte know no UTF-8,
// and the stubs and the zip component must read and write names there too.
// Pure: no platform calls.
#ifndef COMMON_UTF8_H
#define COMMON_UTF8_H

#include <stddef.h>
#include <stdint.h>

namespace text {

// What NextCodePoint gives for bytes that are not well-formed UTF-8.
const uint32_t kMalformed = 0xFFFFFFFF;

// The code point whose bytes begin at `at`, which then points past them; the
// text ends in a zero byte, which cuts any sequence short. For a malformed
// sequence (overlong forms, surrogates, beyond U+10FFFF, a sequence cut
// short by a byte that cannot follow) kMalformed, with `at` past the lead
// byte and the continuation bytes that could still belong to it.
uint32_t NextCodePoint(const uint8_t*& at);

// The text as UTF-16 with its terminating zero: the number of units
// written, terminator included, or 0 when the text is not well-formed UTF-8
// or does not fit.
int Utf8ToUtf16(const char* text, uint16_t* wide, int room);

// The terminated UTF-16 text as UTF-8 with its terminating zero: the number
// of bytes written, terminator included, or 0 when it does not fit. A lone
// surrogate is written as its own code point.
int Utf16ToUtf8(const uint16_t* wide, char* text, int room);

// The UTF-8 bytes of one code point (at most 4) into `bytes`; their number.
int EncodeUtf8(uint32_t code, char* bytes);

}  // namespace text

#endif
