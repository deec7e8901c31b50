// Linux has no ANSI code page of its own: the native programs take the one
// Wine would take from the locale, or the one the user names.
#ifndef COMMON_UNIX_ANSI_CODE_PAGE_CHOICE_H
#define COMMON_UNIX_ANSI_CODE_PAGE_CHOICE_H

namespace text {

// The code page of LC_ALL, LC_CTYPE or LANG, the first that is set.
unsigned EnvironmentCodePage();

// From now on the ANSI code page; false when iconv lacks it. Without a
// call, the environment's is taken.
bool ChooseAnsiCodePage(unsigned codePage);

}  // namespace text

#endif
