// The Help button: the help file or the help page beside the program, in
// whatever this Windows can show.
#ifndef APP_HELP_H
#define APP_HELP_H

#include <windows.h>

constexpr char HelpPageUnavailable[] = "Unable to open the help page ";

// Opens the help at its first topic, with owner as the help program's
// owner. A page that the browser cannot be started on is reported in a box;
// a missing help file is reported by the help program, as there.
void ShowHelp(HWND owner);

#endif
