// The chosen code page's lead bytes are those that iconv finds incomplete
// on their own.
#include <errno.h>
#include <iconv.h>
#include <stdio.h>
#include <stdlib.h>

#include <initializer_list>

#include "ansi_code_page.h"
#include "locale_code_page.h"
#include "unix/ansi_code_page_choice.h"

namespace text {

namespace {

unsigned chosen = 0;
LeadBytes leads;

}  // namespace

unsigned EnvironmentCodePage() {
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = getenv(name);
        if (value && *value) return LocaleCodePage(value);
    }
    return LocaleCodePage("C");
}

bool ChooseAnsiCodePage(unsigned codePage) {
    char name[16];
    snprintf(name, sizeof name, "CP%u", codePage);
    iconv_t conversion = iconv_open("UTF-16LE", name);
    if (conversion == iconv_t(-1)) return false;
    LeadBytes found;
    for (unsigned byte = 0x80; byte < 0x100; ++byte) {
        char in[1] = {char(byte)}, out[8];
        char *from = in, *to = out;
        size_t inLeft = 1, outLeft = sizeof out;
        iconv(conversion, nullptr, nullptr, nullptr, nullptr);
        if (iconv(conversion, &from, &inLeft, &to, &outLeft) == size_t(-1) && errno == EINVAL)
            found.Add(uint8_t(byte));
    }
    iconv_close(conversion);
    chosen = codePage;
    leads = found;
    return true;
}

unsigned AnsiCodePage() {
    if (!chosen && !ChooseAnsiCodePage(EnvironmentCodePage())) ChooseAnsiCodePage(1252);
    return chosen;
}

const LeadBytes& AnsiLeadBytes() {
    AnsiCodePage();
    return leads;
}

}  // namespace text
