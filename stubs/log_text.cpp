// Escaping of log lines (see log_text.h).
#include "log_text.h"

namespace stub {

uint32_t EscapeLogText(const char* text, char* out, uint32_t room) {
    static const char kDigits[] = "0123456789ABCDEF";
    uint32_t length = 0;
    if (room == 0) return 0;
    for (const char* p = text; *p; ++p) {
        unsigned char c = static_cast<unsigned char>(*p);
        bool escaped = c < 0x20 || c == 0x7F || c == '<';
        uint32_t width = escaped ? 4 : 1;
        if (length + width >= room) break;
        if (escaped) {
            out[length] = '<';
            out[length + 1] = kDigits[c >> 4];
            out[length + 2] = kDigits[c & 15];
            out[length + 3] = '>';
        } else {
            out[length] = char(c);
        }
        length += width;
    }
    out[length] = 0;
    return length;
}

}  // namespace stub
