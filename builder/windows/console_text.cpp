// The console and the scripts that read VNPMAKE's output take ANSI text, as
// it always was: nothing to convert.
#include "console_text.h"

std::string ForConsole(const std::string& text) { return text; }
