// Hints for the main dialog's Create, About and Exit buttons. A tooltip
// control, owned by the dialog and destroyed with it, asks the dialog for
// each hint's text when it is about to show it.
#ifndef APP_TOOLTIPS_H
#define APP_TOOLTIPS_H

#include <windows.h>

#include <commctrl.h>

// Creates the tooltip control for the buttons; returns it (null when it
// could not be made: the buttons then simply have no hints).
HWND CreateButtonTooltips(HWND dialog);

// Answers a tooltip's text request (TTN_NEEDTEXTA): the string whose id is
// the requesting tool's id, from the string table. Other notifications are
// left alone.
void OnTooltipTextRequest(NMHDR* header);

#endif
