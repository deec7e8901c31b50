// The files one Zzip call never packs: those the caller left out
// (LeaveOut), the archive itself, and the component's temporary files in
// the archive's folder. They are known by what they are, not by how their
// paths are spelled, so that an 8.3 folder name, other letter case or a
// second drive letter for the same folder leads to the same file.
// Under Wine every open is a round trip to the server, so a found file is
// opened only when its name is one of those files' names, or a temporary
// name. Their names are read from the system as the search lists them: a
// path spelled with 8.3 names leads to the long name.
#ifndef MVWRAP_NEVER_PACKED_H
#define MVWRAP_NEVER_PACKED_H

#include <set>
#include <string>
#include <vector>

#include "file_search.h"
#include "path_identity.h"

namespace mvwrap {

// A folder as far as the system tells it apart: by its identity where it
// can open folders (the NT line), else only by its full path as spelled.
struct FolderKey {
    bool known = false;  // the identity was read
    PathId identity;
    std::wstring spelled;  // full, case folded, ending in a separator
};

// By identity where both are known, else by spelling.
bool SameFolder(const FolderKey& a, const FolderKey& b);

class NeverPacked {
public:
    // The paths are resolved now, not when they were left out: the caller
    // may have moved a file to one of them since.
    NeverPacked(const std::wstring& archive, const std::vector<std::wstring>& leftOut);

    bool Holds(const FoundFile& file);

private:
    void Note(const std::wstring& path);
    bool InArchiveFolder(const std::wstring& folder);

    std::vector<PathId> files_;
    std::set<std::wstring> names_;  // case folded
    FolderKey archiveFolder_;
    // The folder of the last temporary name met, as spelled in the search:
    // the files of one folder come together.
    std::wstring lastFolder_;
    bool lastFolderIsArchives_ = false;
};

}  // namespace mvwrap

#endif
