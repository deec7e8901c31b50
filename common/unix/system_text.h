// Texts between the code page the core works in (text::AnsiCodePage()) and
// the UTF-8 of Linux names, terminals and command lines. Both directions
// are exact: a text the other side cannot hold is refused, never given
// with "?" in its place, so that a name always leads back to its file.
#ifndef COMMON_UNIX_SYSTEM_TEXT_H
#define COMMON_UNIX_SYSTEM_TEXT_H

#include <string>

bool SystemToCodePage(const std::string& utf8, std::string& ansi);
bool CodePageToSystem(const std::string& ansi, std::string& utf8);

#endif
