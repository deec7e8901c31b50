// Paths cross between the core's code-page text (text::AnsiCodePage) and
// the UTF-8 of Linux's system calls here, and nowhere else in the Create's
// glue. A name the code page cannot hold is refused, never replaced.
#ifndef PACKAGE_UNIX_SYSTEM_NAMES_H
#define PACKAGE_UNIX_SYSTEM_NAMES_H

#include <string>

// The code-page text as UTF-8; false, with errno EILSEQ, when it is not
// text of the code page.
bool ToSystemName(const std::string& text, std::string& utf8);

// A name the system gave in UTF-8 as code-page text; false, with errno
// EILSEQ, when the code page cannot hold it.
bool FromSystemName(const std::string& utf8, std::string& text);

#endif
