// Linux separates folders with a slash. A backslash is a character of a
// name there, one Windows cannot hold.
#ifndef COMMON_PATH_SEPARATOR_H
#define COMMON_PATH_SEPARATOR_H

constexpr char kPathSeparator = '/';
constexpr wchar_t kWidePathSeparator = L'/';

#endif
