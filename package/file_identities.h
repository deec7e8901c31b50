// Files and folders told apart by what they are rather than by how their
// paths are spelled: the 8.3 name of a folder, other letter case or a
// second drive letter for it all name the one folder on Windows, a link or
// "." and ".." natively, and a Create must meet it as one (one hold on its
// working files, one setup folder).
#ifndef PACKAGE_FILE_IDENTITIES_H
#define PACKAGE_FILE_IDENTITIES_H

#include <string>

#include "volume_index.h"

// The identity of the file or folder at path. False where nothing is there,
// or where the system cannot open a folder to ask (the 9x line).
bool IdentityOfPath(const std::string& path, PathIdentity& identity);

// Whether two names name one file, whatever their spelling; false when
// either cannot be asked.
bool SameFile(const std::string& a, const std::string& b);

// Whether the folder at `folder`, or one of the folders above it, is the
// folder `outer`. Where the system cannot open folders, by their paths
// ignoring case.
bool FolderWithin(const std::string& folder, const std::string& outer);

#endif
