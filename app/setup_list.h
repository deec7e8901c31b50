// The setup list: the folders to package, held only by the main dialog's
// sorted list box. Drops add folders, Remove takes the selected one out.
#ifndef APP_SETUP_LIST_H
#define APP_SETUP_LIST_H

#include <windows.h>

#include <string>
#include <vector>

// The list box never holds more entries than this; further drops are skipped.
constexpr int MaxSetupEntries = 32767;

// Whether the list holds an entry equal to path when both are upper-cased.
bool SetupListContains(HWND list, const std::string& path);

// The dropped names, whole, in the order the platform reports them. Does
// not release the drop.
std::vector<std::string> DroppedNames(HDROP drop);

// Adds each name that is an existing folder and not yet listed; files,
// missing paths and duplicates are skipped without a message, a path longer
// than a list entry holds with one that names it.
void AddSetupFolders(HWND list, const std::vector<std::string>& names);

// Deletes the selected entry; does nothing without a selection.
void RemoveSelectedSetup(HWND list);

#endif
