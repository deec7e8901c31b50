// The caller's texts, in the system's ANSI code page, to and from the UTF-16
// names the component works with. Characters that the code page lacks come
// back as its default character.
#ifndef MVWRAP_ANSI_TEXT_H
#define MVWRAP_ANSI_TEXT_H

#include <string>

namespace mvwrap {

std::wstring FromAnsi(const std::string& text);
std::string ToAnsi(const std::wstring& text);

}  // namespace mvwrap

#endif
