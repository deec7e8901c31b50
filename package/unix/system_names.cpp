#include "system_names.h"

#include <errno.h>
#include <iconv.h>
#include <stdio.h>

#include <map>
#include <memory>

#include "ansi_code_page.h"

namespace {

class Conversion {
public:
    Conversion(const char* to, const char* from) : conversion_(iconv_open(to, from)) {}
    ~Conversion() {
        if (Ready()) iconv_close(conversion_);
    }
    Conversion(const Conversion&) = delete;
    Conversion& operator=(const Conversion&) = delete;
    bool Ready() const { return conversion_ != iconv_t(-1); }

    bool Run(const std::string& in, std::string& out) {
        iconv(conversion_, nullptr, nullptr, nullptr, nullptr);
        std::string result(in.size() * 4 + 4, '\0');
        char* from = const_cast<char*>(in.data());
        char* to = &result[0];
        size_t inLeft = in.size(), outLeft = result.size();
        if (iconv(conversion_, &from, &inLeft, &to, &outLeft) == size_t(-1) ||
            iconv(conversion_, nullptr, nullptr, &to, &outLeft) == size_t(-1))
            return false;
        result.resize(result.size() - outLeft);
        out = std::move(result);
        return true;
    }

private:
    iconv_t conversion_;
};

bool IsAscii(const std::string& text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// Opened once per thread and direction, for the code page chosen then.
bool Convert(bool toUtf8, const std::string& in, std::string& out) {
    if (IsAscii(in)) {
        out = in;
        return true;
    }
    char codePage[16];
    snprintf(codePage, sizeof codePage, "CP%u", text::AnsiCodePage());
    thread_local std::map<std::pair<std::string, bool>, std::unique_ptr<Conversion>> opened;
    std::unique_ptr<Conversion>& conversion = opened[{codePage, toUtf8}];
    if (!conversion)
        conversion = toUtf8 ? std::make_unique<Conversion>("UTF-8", codePage)
                            : std::make_unique<Conversion>(codePage, "UTF-8");
    if (conversion->Ready() && conversion->Run(in, out)) return true;
    errno = EILSEQ;
    return false;
}

}  // namespace

bool ToSystemName(const std::string& text, std::string& utf8) { return Convert(true, text, utf8); }

bool FromSystemName(const std::string& utf8, std::string& text) {
    return Convert(false, utf8, text);
}
