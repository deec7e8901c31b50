// The reference conversions through the C library's iconv, with UTF-16 held
// one unit a wchar_t as the component holds it.
#include "system_text.h"

#include <iconv.h>
#include <stdio.h>

#include <stdexcept>

#include "ansi_code_page.h"

namespace {

std::string Convert(const char* to, const char* from, std::string in) {
    iconv_t converter = iconv_open(to, from);
    if (converter == iconv_t(-1)) throw std::runtime_error("no conversion");
    std::string out(in.size() * 4, '\0');
    char* inAt = &in[0];
    char* outAt = &out[0];
    size_t inLeft = in.size(), outLeft = out.size();
    size_t result = iconv(converter, &inAt, &inLeft, &outAt, &outLeft);
    iconv_close(converter);
    if (result == size_t(-1)) throw std::runtime_error("text not converted");
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace

std::string SystemUtf8(const std::wstring& text) {
    std::string utf16;
    for (wchar_t unit : text) {
        utf16 += static_cast<char>(unit & 0xFF);
        utf16 += static_cast<char>((unit >> 8) & 0xFF);
    }
    return Convert("UTF-8", "UTF-16LE", utf16);
}

// In the code page the native programs took; the tests' names are all in it.
std::string SystemAnsi(const std::wstring& text) {
    char codePage[16];
    snprintf(codePage, sizeof codePage, "CP%u", text::AnsiCodePage());
    std::string utf16;
    for (wchar_t unit : text) {
        utf16 += static_cast<char>(unit & 0xFF);
        utf16 += static_cast<char>((unit >> 8) & 0xFF);
    }
    return Convert(codePage, "UTF-16LE", utf16);
}

std::wstring SystemFromDos(const std::string& bytes) {
    const std::string utf16 = Convert("UTF-16LE", "CP437", bytes);
    std::wstring wide;
    for (size_t i = 0; i + 1 < utf16.size(); i += 2)
        wide += static_cast<wchar_t>(static_cast<unsigned char>(utf16[i]) |
                                     static_cast<unsigned char>(utf16[i + 1]) << 8);
    return wide;
}
