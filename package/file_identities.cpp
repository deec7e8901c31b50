#include "file_identities.h"

#include "path_helpers.h"
#include "win_handles.h"

bool IdentityOfPath(const std::string& path, FileIdentity& identity) {
    QuietErrorMode quiet;
    // No access asked, only the right to ask: held for a moment, it stands
    // in no one's way. Folders open only with backup semantics.
    FileHandle file(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return file.valid() && IdentityOf(file.get(), identity);
}

namespace {

bool SameFolder(const std::string& a, const std::string& b) {
    FileIdentity first, second;
    if (IdentityOfPath(a, first) && IdentityOfPath(b, second)) return first == second;
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

}  // namespace

bool FolderWithin(const std::string& folder, const std::string& outer) {
    const std::string target = StripBackslash(outer);
    for (std::string at = StripBackslash(folder);;) {
        if (SameFolder(at, target)) return true;
        const std::string above = StripBackslash(FolderPart(at));
        if (above.empty() || above == at) return false;
        at = above;
    }
}
