// The reference conversions through Windows' own tables.
#include "system_text.h"

#include <windows.h>

std::string SystemUtf8(const std::wstring& text) {
    std::string utf8(text.size() * 4, '\0');
    utf8.resize(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                    &utf8[0], static_cast<int>(utf8.size()), nullptr, nullptr));
    return utf8;
}

std::string SystemAnsi(const std::wstring& text) {
    std::string ansi(text.size() * 2, '\0');
    ansi.resize(WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &ansi[0],
                                    static_cast<int>(ansi.size()), nullptr, nullptr));
    return ansi;
}

std::wstring SystemFromDos(const std::string& bytes) {
    std::wstring wide(bytes.size(), L'\0');
    wide.resize(MultiByteToWideChar(437, 0, bytes.data(), static_cast<int>(bytes.size()), &wide[0],
                                    static_cast<int>(wide.size())));
    return wide;
}
