// Terminals and the scripts that read vnpmake's output take UTF-8.
#include "console_text.h"

#include "unix/system_text.h"

std::string ForConsole(const std::string& text) {
    std::string utf8;
    return CodePageToSystem(text, utf8) ? utf8 : text;
}
