#include "text_codes.h"

#include <windows.h>

namespace mvwrap {

namespace {

const UINT kDosCodePage = 437;

std::wstring Widen(UINT codePage, const std::string& text) {
    if (text.empty()) return std::wstring();
    int length =
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

std::string Narrow(UINT codePage, const std::wstring& text) {
    if (text.empty()) return std::string();
    int length = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()),
                                     nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), &narrow[0], length,
                        nullptr, nullptr);
    return narrow;
}

}  // namespace

std::wstring FromAnsi(const std::string& text) { return Widen(CP_ACP, text); }
std::string ToAnsi(const std::wstring& text) { return Narrow(CP_ACP, text); }
std::wstring FromUtf8(const std::string& text) { return Widen(CP_UTF8, text); }
std::string ToUtf8(const std::wstring& text) { return Narrow(CP_UTF8, text); }
std::wstring FromDos(const std::string& text) { return Widen(kDosCodePage, text); }

bool IsAscii(const std::string& text) {
    for (unsigned char c : text)
        if (c >= 0x80) return false;
    return true;
}

}  // namespace mvwrap
