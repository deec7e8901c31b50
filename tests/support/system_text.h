// The system's own text conversions, independent of the component's, to
// check its UTF-8 and DOS code page against: Windows' on Windows, the C
// library's (iconv) natively.
#ifndef TESTS_SUPPORT_SYSTEM_TEXT_H
#define TESTS_SUPPORT_SYSTEM_TEXT_H

#include <string>

// UTF-16 text (one unit a wchar_t) in UTF-8.
std::string SystemUtf8(const std::wstring& text);
// UTF-16 text in the ANSI code page, '?' for what it lacks.
std::string SystemAnsi(const std::wstring& text);
// Bytes in the DOS code page (437) in UTF-16.
std::wstring SystemFromDos(const std::string& bytes);

#endif
