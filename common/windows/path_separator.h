// Windows separates folders with a backslash. The system turns a slash in a
// path the user types into one before the core sees it.
#ifndef COMMON_PATH_SEPARATOR_H
#define COMMON_PATH_SEPARATOR_H

constexpr char kPathSeparator = '\\';
constexpr wchar_t kWidePathSeparator = L'\\';

#endif
