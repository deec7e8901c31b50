// Identities from GetFileInformationByHandle: volume serial and file index.
#include "file_identities.h"

#include "file_identity.h"
#include "quiet_errors.h"

namespace {

// Folders open only with backup semantics.
bool IdentityOpened(const std::string& path, DWORD share, PathIdentity& identity) {
    FileHandle file(CreateFileA(path.c_str(), 0, share, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return file.valid() && IdentityOf(file.get(), identity);
}

}  // namespace

// No access asked, only the right to ask: held for a moment, it stands in
// no one's way.
bool IdentityOfPath(const std::string& path, PathIdentity& identity) {
    QuietErrorMode quiet;
    return IdentityOpened(path, FILE_SHARE_READ | FILE_SHARE_WRITE, identity);
}

bool SameFile(const std::string& a, const std::string& b) {
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    PathIdentity ia, ib;
    return IdentityOpened(a, share, ia) && IdentityOpened(b, share, ib) && ia == ib;
}
