// Files and folders told apart by what they are rather than by how their
// paths are spelled: the 8.3 name of a folder, other letter case or a
// second drive letter for it all name the one folder, and a Create must
// meet it as one (one hold on its working files, one setup folder).
#ifndef PACKAGE_FILE_IDENTITIES_H
#define PACKAGE_FILE_IDENTITIES_H

#include <string>

#include "file_identity.h"

// The identity of the file or folder at path. False where nothing is there,
// or where the system cannot open a folder to ask (the 9x line).
bool IdentityOfPath(const std::string& path, FileIdentity& identity);

// Whether the folder at `folder`, or one of the folders above it, is the
// folder `outer`. Where the system cannot open folders, by their paths
// ignoring case.
bool FolderWithin(const std::string& folder, const std::string& outer);

#endif
