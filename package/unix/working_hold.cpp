// Holds natively: an exclusive flock on a lock file named after the held
// name, in one folder that every builder of the user uses. The lock goes
// with the descriptor, also when a builder is killed; the small lock files
// stay, as removing one could part two builders that meet on it. Nothing
// is written in the package's folder. The folder is the user's alone: in a
// folder others may write, a lock file could be someone's link to a file of
// the user's. The folder is named by its
// device and inode, so every spelling of it (links, "..") meets the same
// hold; the file name by its bytes, as Linux tells names apart by case.
#include "working_hold.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "file_errors.h"
#include "file_identities.h"
#include "path_helpers.h"

namespace {

// In the user's runtime folder, or else in /tmp under the user's number.
std::string HoldFolder() {
    const char* runtime = getenv("XDG_RUNTIME_DIR");
    const std::string base = runtime && runtime[0] == '/' ? runtime : "/tmp";
    return base + "/vornaly-holds-" + std::to_string(getuid());
}

// The folder's identity and a checksum of the name: lock file names stay
// short, whatever the name's length and bytes.
std::string LockFileName(const std::string& folder, const std::string& path) {
    const std::string pathFolder = FolderPart(path);
    PathIdentity identity;
    std::string key = pathFolder;
    if (IdentityOfPath(pathFolder.empty() ? "." : pathFolder, identity)) key.clear();
    key += '/' + FileNamePart(path);
    uint64_t sum = 14695981039346656037ull;
    for (unsigned char byte : key) sum = (sum ^ byte) * 1099511628211ull;
    char name[96];
    snprintf(name, sizeof name, "/%llx-%llx-%016llx",
             static_cast<unsigned long long>(identity.volume),
             static_cast<unsigned long long>(identity.index), static_cast<unsigned long long>(sum));
    return folder + name;
}

// Made by the user, or refused: a folder of someone else's, one others may
// write in, or a link in its place.
bool MakeHoldFolder(const std::string& folder) {
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
    struct stat status;
    if (lstat(folder.c_str(), &status) != 0) return false;
    if (S_ISDIR(status.st_mode) && status.st_uid == getuid() && !(status.st_mode & 077))
        return true;
    errno = EACCES;
    return false;
}

}  // namespace

HoldOutcome HoldWorkingName(const std::string& path, NativeHold& hold, int& errorNumber) {
    const std::string folder = HoldFolder();
    if (MakeHoldFolder(folder))
        hold.reset(open(LockFileName(folder, path).c_str(),
                        O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (hold.valid()) {
        if (flock(hold.get(), LOCK_EX | LOCK_NB) == 0) return HoldOutcome::kHeld;
        if (errno == EWOULDBLOCK) return HoldOutcome::kHeldElsewhere;
    }
    errorNumber = LastFileErrorNumber();
    return HoldOutcome::kFailed;
}
