// The ANSI code page's conversions through iconv, in the code page the
// native programs took (text::AnsiCodePage: the one Wine would take from the
// locale, or the one the user named). The component holds UTF-16 one unit a
// wchar_t. A character the code page lacks becomes '?', as Windows' own
// conversion gives its default character.
#include "ansi_text.h"

#include <errno.h>
#include <iconv.h>
#include <stdio.h>

#include "ansi_code_page.h"

namespace mvwrap {

namespace {

// One conversion each way, opened once for the code page in force: opening
// one costs more than converting a name. Per thread, as a conversion keeps
// its state.
class Conversion {
public:
    Conversion(bool toAnsi) : toAnsi_(toAnsi) {}
    ~Conversion() { Close(); }
    Conversion(const Conversion&) = delete;
    Conversion& operator=(const Conversion&) = delete;

    iconv_t Get() {
        const unsigned codePage = text::AnsiCodePage();
        if (codePage != codePage_) {
            Close();
            char name[16];
            snprintf(name, sizeof name, "CP%u", codePage);
            handle_ = toAnsi_ ? iconv_open(name, "UTF-16LE") : iconv_open("UTF-16LE", name);
            codePage_ = codePage;
        }
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        return handle_;
    }

private:
    void Close() {
        if (handle_ != iconv_t(-1)) iconv_close(handle_);
        handle_ = iconv_t(-1);
    }

    bool toAnsi_;
    unsigned codePage_ = 0;
    iconv_t handle_ = iconv_t(-1);
};

// Converts `in` whole; at a unit that cannot be converted, `bad` is written
// and `skip` bytes of the input passed over.
std::string Convert(iconv_t conversion, std::string in, const std::string& bad, size_t skip) {
    std::string out;
    if (conversion == iconv_t(-1)) return out;
    char* from = &in[0];
    size_t left = in.size();
    char buffer[256];
    while (left > 0) {
        char* to = buffer;
        size_t room = sizeof buffer;
        const size_t result = iconv(conversion, &from, &left, &to, &room);
        out.append(buffer, size_t(to - buffer));
        if (result != size_t(-1) || errno == E2BIG) continue;
        out += bad;
        const size_t passed = left < skip ? left : skip;
        from += passed;
        left -= passed;
    }
    return out;
}

}  // namespace

std::wstring FromAnsi(const std::string& text) {
    thread_local Conversion conversion(false);
    if (text.empty()) return std::wstring();
    const std::string units = Convert(conversion.Get(), text, std::string("\xFD\xFF", 2), 1);
    std::wstring wide;
    wide.reserve(units.size() / 2);
    for (size_t i = 0; i + 1 < units.size(); i += 2)
        wide += static_cast<wchar_t>(static_cast<unsigned char>(units[i]) |
                                     static_cast<unsigned char>(units[i + 1]) << 8);
    return wide;
}

std::string ToAnsi(const std::wstring& text) {
    thread_local Conversion conversion(true);
    if (text.empty()) return std::string();
    std::string units;
    units.reserve(text.size() * 2);
    for (wchar_t unit : text) {
        units += static_cast<char>(unit & 0xFF);
        units += static_cast<char>((unit >> 8) & 0xFF);
    }
    return Convert(conversion.Get(), units, "?", 2);
}

}  // namespace mvwrap
