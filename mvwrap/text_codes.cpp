#include "text_codes.h"

#include "utf8.h"

namespace mvwrap {

namespace {

// The upper half of the DOS code page (437), as the NT line maps it without
// glyphs for the control characters; the lower half is ASCII. Our own table,
// so that every system reads such names alike, whatever code pages it has.
const uint16_t kDosUpperHalf[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF,
    0x00EE, 0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA,
    0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557,
    0x255D, 0x255C, 0x255B, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559,
    0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4, 0x03A6, 0x0398, 0x03A9, 0x03B4,
    0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};

}  // namespace

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

std::wstring FromDos(const std::string& text) {
    std::wstring wide;
    wide.reserve(text.size());
    for (unsigned char c : text)
        wide += static_cast<wchar_t>(c < 0x80 ? c : kDosUpperHalf[c - 0x80]);
    return wide;
}

bool IsAscii(const std::string& text) {
    for (unsigned char c : text)
        if (c >= 0x80) return false;
    return true;
}

}  // namespace mvwrap
