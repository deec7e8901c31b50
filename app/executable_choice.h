// The choice of the program that starts the installation: the EXE entries of
// the archive the zip job wrote, offered in the dialog EXES.
#ifndef APP_EXECUTABLE_CHOICE_H
#define APP_EXECUTABLE_CHOICE_H

// Sets InstallExecutable to the chosen entry name of the archive at
// ArchivePath: empty without candidates, the only one without asking,
// otherwise the user's choice in the modal dialog owned by the main dialog.
void ChooseInstallExecutable();

#endif
