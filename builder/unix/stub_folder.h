// Where the native builder takes the stubs from: the folder --stubs names,
// or else the program's own folder, then the data folder of an installed
// copy (/usr/bin/vnpmake: /usr/share/vornaly).
#ifndef BUILDER_UNIX_STUB_FOLDER_H
#define BUILDER_UNIX_STUB_FOLDER_H

#include <string>

// Sets the Create's stub folder to the first that holds both stubs whole;
// false, with where it looked in `error`, when none does.
bool FindStubFolder(const std::string& named, std::string& error);

#endif
