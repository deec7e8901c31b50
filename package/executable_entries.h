// The candidates for the start program: the EXE entries of the archive at
// ArchivePath, as the choice offers them.
#ifndef PACKAGE_EXECUTABLE_ENTRIES_H
#define PACKAGE_EXECUTABLE_ENTRIES_H

#include <string>
#include <vector>

// Each EXE entry's name (cut as InstallExecutable is), in the order of a
// sorted list box (list_order.h).
std::vector<std::string> ExecutableEntries();

#endif
