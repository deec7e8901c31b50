// Conversions between the caller's ANSI texts, the UTF-16 names the file
// system is asked with, and the UTF-8 names an archive stores (converted by
// our own code, which every system runs alike). Characters that the ANSI
// code page lacks come back as its default character.
#ifndef MVWRAP_TEXT_CODES_H
#define MVWRAP_TEXT_CODES_H

#include <string>

namespace mvwrap {

std::wstring FromAnsi(const std::string& text);
std::string ToAnsi(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);
std::string ToUtf8(const std::wstring& text);

// Archives from elsewhere may store names in the DOS code page: the zip
// convention for names without the UTF-8 flag.
std::wstring FromDos(const std::string& text);

bool IsAscii(const std::string& text);

}  // namespace mvwrap

#endif
