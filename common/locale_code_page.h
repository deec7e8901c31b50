// The ANSI code page that a Linux locale name stands for ("ja_JP.UTF-8" is
// 932), as Wine chooses it: the native programs read and write names in
// the code page that the Windows ones running under Wine would use.
#ifndef COMMON_LOCALE_CODE_PAGE_H
#define COMMON_LOCALE_CODE_PAGE_H

namespace text {

// 1252 for a locale of none of the other code pages, "C" and "POSIX"
// included.
unsigned LocaleCodePage(const char* locale);

}  // namespace text

#endif
