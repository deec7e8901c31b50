// Conversions between the UTF-16 names the component works with and the
// forms an archive stores: UTF-8, or the DOS code page of older archives.
// Our own code, which every system runs alike; the caller's ANSI texts are
// the system's to convert (ansi_text.h).
#ifndef MVWRAP_TEXT_CODES_H
#define MVWRAP_TEXT_CODES_H

#include <string>

namespace mvwrap {

std::wstring FromUtf8(const std::string& text);
std::string ToUtf8(const std::wstring& text);

// Archives from elsewhere may store names in the DOS code page: the zip
// convention for names without the UTF-8 flag.
std::wstring FromDos(const std::string& text);

bool IsAscii(const std::string& text);

}  // namespace mvwrap

#endif
