// What a file or folder is, whatever path names it: on Windows its volume's
// serial number and its index there, natively its device and inode. Every
// spelling of one file (an 8.3 name, other letter case, a second drive
// letter, a link to its folder) has the same identity.
#ifndef MVWRAP_PATH_IDENTITY_H
#define MVWRAP_PATH_IDENTITY_H

#include <string>

#include "volume_index.h"

namespace mvwrap {

using PathId = ::PathIdentity;

// Asked without reading the file, so that a file another program holds is
// answered too. Folders are answered where the system can open them (not on
// the 9x line).
bool PathIdentity(const std::wstring& path, PathId& identity);

// The path made full (relative parts resolved), as the system spells it,
// without asking the file system whether it exists.
bool AbsolutePath(const std::wstring& path, std::wstring& full);

}  // namespace mvwrap

#endif
