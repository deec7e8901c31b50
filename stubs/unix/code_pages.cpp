// The conversions through iconv, whose "CPnnnn" tables are the Windows code
// pages; capitals through the C.UTF-8 locale, which knows every Unicode
// letter. A character a code page lacks becomes "?", as Windows gives it
// where it knows no look-alike.
#include "code_pages.h"

#include <errno.h>
#include <iconv.h>
#include <locale.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>
#include <wctype.h>

#include <array>
#include <map>
#include <memory>
#include <utility>

#include "ansi_code_page.h"

namespace stub {

namespace {

// An iconv conversion, closed with the object.
class Conversion {
public:
    Conversion(const char* to, const char* from) : conversion_(iconv_open(to, from)) {}
    ~Conversion() {
        if (Ready()) iconv_close(conversion_);
    }
    Conversion(const Conversion&) = delete;
    Conversion& operator=(const Conversion&) = delete;
    bool Ready() const { return conversion_ != iconv_t(-1); }
    void Reset() {
        if (Ready()) iconv(conversion_, nullptr, nullptr, nullptr, nullptr);
    }
    // What could not be converted is left in in/inLeft; -1 with errno as
    // iconv sets it, or 0.
    int Run(const char*& in, size_t& inLeft, char*& out, size_t& outLeft) {
        char* from = const_cast<char*>(in);
        size_t result = iconv(conversion_, &from, &inLeft, &out, &outLeft);
        in = from;
        return result == size_t(-1) ? -1 : 0;
    }

private:
    iconv_t conversion_;
};

enum class Direction { kToUtf16, kFromUtf16, kToWideChars, kFromWideChars };

// This thread's conversion between the code page and UTF-16 or wchar_t,
// opened on its first use and kept: opening one reads iconv's tables, which
// costs more than converting a name. Its state is reset for each use.
Conversion& Between(unsigned codePage, Direction direction) {
    thread_local std::map<std::pair<unsigned, Direction>, std::unique_ptr<Conversion>> opened;
    std::unique_ptr<Conversion>& conversion = opened[{codePage, direction}];
    if (!conversion) {
        char name[16];
        snprintf(name, sizeof name, "CP%u", codePage);
        const char* other = direction == Direction::kToUtf16 || direction == Direction::kFromUtf16
                                ? "UTF-16LE"
                                : "WCHAR_T";
        bool toCodePage =
            direction == Direction::kFromUtf16 || direction == Direction::kFromWideChars;
        conversion =
            std::make_unique<Conversion>(toCodePage ? name : other, toCodePage ? other : name);
    }
    conversion->Reset();
    return *conversion;
}

size_t WideLength(const uint16_t* wide) {
    size_t length = 0;
    while (wide[length]) ++length;
    return length;
}

}  // namespace

bool CodePageToWide(unsigned codePage, const char* bytes, uint16_t* wide, int room) {
    Conversion& conversion = Between(codePage, Direction::kToUtf16);
    if (!conversion.Ready() || room <= 0) return false;
    const char* in = bytes;
    size_t inLeft = strlen(bytes), outLeft = size_t(room - 1) * 2;
    char* out = reinterpret_cast<char*>(wide);
    if (conversion.Run(in, inLeft, out, outLeft) != 0) return false;
    wide[(out - reinterpret_cast<char*>(wide)) / 2] = 0;
    return true;
}

bool WideToCodePage(unsigned codePage, const uint16_t* wide, char* bytes, int room) {
    Conversion& conversion = Between(codePage, Direction::kFromUtf16);
    if (!conversion.Ready() || room <= 0) return false;
    const char* in = reinterpret_cast<const char*>(wide);
    size_t inLeft = WideLength(wide) * 2, outLeft = size_t(room - 1);
    char* out = bytes;
    while (inLeft > 0) {
        if (conversion.Run(in, inLeft, out, outLeft) == 0) break;
        if (errno == E2BIG || outLeft == 0) return false;
        // A character the code page lacks (a pair of surrogates is one).
        uint16_t unit = uint16_t(uint8_t(in[0]) | uint8_t(in[1]) << 8);
        size_t skip = unit >= 0xD800 && unit < 0xDC00 && inLeft >= 4 ? 4 : 2;
        in += skip;
        inLeft -= skip;
        *out++ = '?';
        --outLeft;
    }
    *out = 0;
    return true;
}

namespace {

// The capital of the character at text (bytes long) where it takes as many
// bytes; a capital that takes other bytes than its letter, or that the code
// page lacks, leaves the letter as it is, so that names keep their places.
void UpperCaseCharacter(unsigned codePage, char* text, size_t bytes) {
    static const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(0));
    Conversion& toWide = Between(codePage, Direction::kToWideChars);
    wchar_t wide;
    const char* in = text;
    size_t inLeft = bytes, outLeft = sizeof wide;
    char* out = reinterpret_cast<char*>(&wide);
    if (!unicode || toWide.Run(in, inLeft, out, outLeft) != 0 || outLeft != 0) return;
    // As Windows, only a capital that lower-cases back to the letter: the
    // micro sign, the dotless i and the final sigma stay what they are.
    wchar_t upper = wchar_t(towupper_l(wint_t(wide), unicode));
    if (wchar_t(towlower_l(wint_t(upper), unicode)) != wide) return;
    wide = upper;
    Conversion& back = Between(codePage, Direction::kFromWideChars);
    char capital[4];
    in = reinterpret_cast<const char*>(&wide);
    inLeft = sizeof wide;
    out = capital;
    outLeft = sizeof capital;
    if (back.Run(in, inLeft, out, outLeft) == 0 && size_t(out - capital) == bytes)
        memcpy(text, capital, bytes);
}

// The capitals of the code page's characters of one byte, worked out once.
const uint8_t* SingleByteCapitals(unsigned codePage) {
    thread_local std::map<unsigned, std::array<uint8_t, 256>> tables;
    auto found = tables.find(codePage);
    if (found != tables.end()) return found->second.data();
    std::array<uint8_t, 256>& table = tables[codePage];
    for (unsigned byte = 0; byte < 256; ++byte) {
        char character = char(byte);
        if (byte) UpperCaseCharacter(codePage, &character, 1);
        table[byte] = uint8_t(character);
    }
    return table.data();
}

}  // namespace

void UpperCaseAnsi(char* text, unsigned long length) {
    const unsigned codePage = text::AnsiCodePage();
    const uint8_t* capitals = SingleByteCapitals(codePage);
    const text::LeadBytes& lead = text::AnsiLeadBytes();
    for (size_t at = 0, bytes; at < length; at += bytes) {
        bytes = text::CharacterBytes(text, at, length, lead);
        if (bytes == 1)
            text[at] = char(capitals[uint8_t(text[at])]);
        else
            UpperCaseCharacter(codePage, text + at, bytes);
    }
}

int FormatText(char* out, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    int length = vsnprintf(out, 1024, format, arguments);
    va_end(arguments);
    return length;
}

}  // namespace stub
