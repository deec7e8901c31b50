#include "text_codes.h"

#include <windows.h>

#include "utf8.h"

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
// Our own code on every system: Windows 95's conversion functions know no
// UTF-8 and give nothing. Bytes that are not UTF-8 (an archive written
// elsewhere) read as U+FFFD, as the NT line's own conversion reads them.
std::wstring FromUtf8(const std::string& text) {
    std::wstring wide;
    wide.reserve(text.size());
    // c_str(): the zero byte after the text ends a sequence cut short.
    const uint8_t* at = reinterpret_cast<const uint8_t*>(text.c_str());
    const uint8_t* end = at + text.size();
    while (at < end) {
        uint32_t code = text::NextCodePoint(at);
        if (code == text::kMalformed) code = 0xFFFD;
        if (code >= 0x10000) {
            code -= 0x10000;
            wide += static_cast<wchar_t>(0xD800 | code >> 10);
            code = 0xDC00 | (code & 0x3FF);
        }
        wide += static_cast<wchar_t>(code);
    }
    return wide;
}

// A surrogate half without its other half becomes U+FFFD, as on the NT line.
std::string ToUtf8(const std::wstring& text) {
    std::string narrow;
    narrow.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t code = static_cast<uint16_t>(text[i]);
        uint32_t next = i + 1 < text.size() ? static_cast<uint16_t>(text[i + 1]) : 0;
        if (code >= 0xD800 && code < 0xDC00 && next >= 0xDC00 && next < 0xE000) {
            code = 0x10000 + ((code - 0xD800) << 10) + (next - 0xDC00);
            ++i;
        } else if (code >= 0xD800 && code < 0xE000) {
            code = 0xFFFD;
        }
        char bytes[4];
        narrow.append(bytes, static_cast<size_t>(text::EncodeUtf8(code, bytes)));
    }
    return narrow;
}
std::wstring FromDos(const std::string& text) { return Widen(kDosCodePage, text); }

bool IsAscii(const std::string& text) {
    for (unsigned char c : text)
        if (c >= 0x80) return false;
    return true;
}

}  // namespace mvwrap
