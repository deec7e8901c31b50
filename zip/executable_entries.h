// The candidates for the start program: the EXE entries of the archive at
// ArchivePath, as the choice offers them.
#ifndef ZIP_EXECUTABLE_ENTRIES_H
#define ZIP_EXECUTABLE_ENTRIES_H

#include <windows.h>

// Adds each EXE entry's name (cut as InstallExecutable is) to the list box,
// which keeps them in its order.
void ListExecutableEntries(HWND list);

#endif
