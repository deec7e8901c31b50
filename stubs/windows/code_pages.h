// Text between the ANSI code pages and UTF-16, as the system converts it:
// names and passwords are read in the code page of the machine that made
// the package and in this one's. Code page numbers are Windows' (1252, 932).
// On Windows the calls are the system's own, inline: every byte counts in
// the outer stub.
#ifndef STUBS_WINDOWS_CODE_PAGES_H
#define STUBS_WINDOWS_CODE_PAGES_H

#include <windows.h>

#include <stdint.h>

#include "path_room.h"

namespace stub {

// The terminated text into UTF-16 (terminated) in room characters; false
// when the code page is missing or the room too small.
inline bool CodePageToWide(unsigned codePage, const char* bytes, uint16_t* wide, int room) {
    return MultiByteToWideChar(codePage, 0, bytes, -1, reinterpret_cast<LPWSTR>(wide), room) != 0;
}

// The terminated UTF-16 text into the code page in room bytes, a character
// the code page lacks given as its default character or a look-alike;
// false when the code page is missing or the room too small.
inline bool WideToCodePage(unsigned codePage, const uint16_t* wide, char* bytes, int room) {
    return WideCharToMultiByte(codePage, 0, reinterpret_cast<LPCWCH>(wide), -1, bytes, room,
                               nullptr, nullptr) != 0;
}

// Capitals of text in the ANSI code page, as the file system compares names.
inline void UpperCaseAnsi(char* text, unsigned long length) { CharUpperBuffA(text, DWORD(length)); }

// wsprintf: a sentence of at most 1,024 bytes, terminated.
int FormatText(char* out, const char* format, ...);

}  // namespace stub

#endif
