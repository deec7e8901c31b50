// The choice of the program that starts the installation: the EXE entries of
// the archive the zip job wrote, offered in the dialog EXES.
#ifndef ZIP_EXECUTABLE_CHOICE_H
#define ZIP_EXECUTABLE_CHOICE_H

#include <string>

// Sets InstallExecutable to the chosen entry name of the archive at
// ArchivePath: empty without candidates, the only one without asking,
// otherwise the user's choice in the modal dialog owned by the main dialog.
void ChooseInstallExecutable();

// Whether a stored entry name, cut to the buffer's length, names a program:
// its file name part ends in "." and EXE in any case.
bool IsExecutableEntry(const std::string& name);

#endif
