#include "unix/system_text.h"

#include <iconv.h>
#include <stdio.h>

#include "ansi_code_page.h"

namespace {

bool Convert(const char* to, const char* from, const std::string& in, std::string& out) {
    iconv_t conversion = iconv_open(to, from);
    if (conversion == iconv_t(-1)) return false;
    std::string result(in.size() * 4 + 4, '\0');
    char* source = const_cast<char*>(in.data());
    char* target = &result[0];
    size_t left = in.size(), room = result.size();
    const bool whole = iconv(conversion, &source, &left, &target, &room) != size_t(-1) &&
                       iconv(conversion, nullptr, nullptr, &target, &room) != size_t(-1);
    iconv_close(conversion);
    if (!whole) return false;
    result.resize(result.size() - room);
    out = result;
    return true;
}

std::string CodePageName() {
    char name[16];
    snprintf(name, sizeof name, "CP%u", text::AnsiCodePage());
    return name;
}

}  // namespace

bool SystemToCodePage(const std::string& utf8, std::string& ansi) {
    return Convert(CodePageName().c_str(), "UTF-8", utf8, ansi);
}

bool CodePageToSystem(const std::string& ansi, std::string& utf8) {
    return Convert("UTF-8", CodePageName().c_str(), ansi, utf8);
}
