// The command line's texts, UTF-8 as Linux gives them, turned into the code
// page the Create works in, as Wine turns VNPMAKE.EXE's arguments into ANSI
// text; what the code page cannot hold is refused by name instead of
// becoming "?".
#ifndef BUILDER_UNIX_REQUEST_TEXT_H
#define BUILDER_UNIX_REQUEST_TEXT_H

#include <string>

#include "command_line.h"

bool PasswordToCodePage(BuildRequest& request, std::string& error);

// The package and the setup folders as full paths, and the start program
// with the archive's "\" (a Linux user may name it with "/").
bool NamesToCodePage(BuildRequest& request, std::string& error);

#endif
