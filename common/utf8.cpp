#include "utf8.h"

namespace text {

uint32_t NextCodePoint(const uint8_t*& at) {
    uint32_t code = *at++;
    int following = code < 0x80                   ? 0
                    : code >= 0xC2 && code < 0xE0 ? 1
                    : code >= 0xE0 && code < 0xF0 ? 2
                    : code >= 0xF0 && code < 0xF5 ? 3
                                                  : -1;
    if (following < 0) return kMalformed;
    code &= following ? 0x3F >> following : 0x7F;
    for (int i = 0; i < following; ++i, ++at) {
        if ((*at & 0xC0) != 0x80) return kMalformed;
        code = code << 6 | (*at & 0x3F);
    }
    // The shortest form only, and no surrogate halves written as characters.
    if ((following == 2 && code < 0x800) || (following == 3 && code < 0x10000) || code > 0x10FFFF ||
        (code >= 0xD800 && code < 0xE000))
        return kMalformed;
    return code;
}

int Utf8ToUtf16(const char* text, uint16_t* wide, int room) {
    const uint8_t* at = reinterpret_cast<const uint8_t*>(text);
    int used = 0;
    for (;;) {
        uint32_t code = NextCodePoint(at);
        if (code == kMalformed) return 0;
        int units = code >= 0x10000 ? 2 : 1;
        if (used + units > room) return 0;
        if (units == 2) {
            code -= 0x10000;
            wide[used++] = uint16_t(0xD800 | code >> 10);
            wide[used++] = uint16_t(0xDC00 | (code & 0x3FF));
        } else {
            wide[used++] = uint16_t(code);
        }
        if (code == 0) return used;
    }
}

int Utf16ToUtf8(const uint16_t* wide, char* text, int room) {
    int used = 0;
    for (int i = 0;; ++i) {
        uint32_t code = wide[i];
        if (code >= 0xD800 && code < 0xDC00 && wide[i + 1] >= 0xDC00 && wide[i + 1] < 0xE000)
            code = 0x10000 + ((code - 0xD800) << 10) + (wide[++i] - 0xDC00);
        char bytes[4];
        int length = EncodeUtf8(code, bytes);
        if (used + length > room) return 0;
        for (int b = 0; b < length; ++b) text[used++] = bytes[b];
        if (code == 0) return used;
    }
}

int EncodeUtf8(uint32_t code, char* bytes) {
    if (code < 0x80) {
        bytes[0] = char(code);
        return 1;
    }
    int following = code < 0x800 ? 1 : code < 0x10000 ? 2 : 3;
    static const uint8_t kLead[] = {0, 0xC0, 0xE0, 0xF0};
    bytes[0] = char(kLead[following] | code >> (6 * following));
    for (int i = 1; i <= following; ++i)
        bytes[i] = char(0x80 | ((code >> (6 * (following - i))) & 0x3F));
    return following + 1;
}

}  // namespace text
