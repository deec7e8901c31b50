// The Create's texts, in the code page, as the terminal shows them.
#ifndef BUILDER_CONSOLE_TEXT_H
#define BUILDER_CONSOLE_TEXT_H

#include <string>

std::string ForConsole(const std::string& text);

#endif
