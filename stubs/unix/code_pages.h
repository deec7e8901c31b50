// Text between the ANSI code pages and UTF-16, as Windows converts it:
// names and passwords are read in the code page of the machine that made
// the package and in the one chosen here. Code page numbers are Windows'
// (1252, 932).
#ifndef STUBS_UNIX_CODE_PAGES_H
#define STUBS_UNIX_CODE_PAGES_H

#include <stdint.h>

#include "path_room.h"

namespace stub {

// The terminated text into UTF-16 (terminated) in room characters; false
// when the code page is missing or the room too small.
bool CodePageToWide(unsigned codePage, const char* bytes, uint16_t* wide, int room);

// The terminated UTF-16 text into the code page in room bytes, a character
// the code page lacks given as "?"; false when the code page is missing or
// the room too small.
bool WideToCodePage(unsigned codePage, const uint16_t* wide, char* bytes, int room);

// Capitals of text in the ANSI code page, as Windows compares names.
void UpperCaseAnsi(char* text, unsigned long length);

// wsprintf: a sentence of at most 1,024 bytes, terminated.
int FormatText(char* out, const char* format, ...);

}  // namespace stub

#endif
