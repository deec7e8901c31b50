// Holds natively: an exclusive flock on a lock file named after the held
// name, in one folder that every builder on the machine uses. The lock
// goes with the descriptor, also when a builder is killed; the small lock
// files stay, as removing one could part two builders that meet on it.
// Nothing is written in the package's folder. The folder is named by its
// device and inode, so every spelling of it (links, "..") meets the same
// hold; the file name by its bytes, as Linux tells names apart by case.
#include "working_hold.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>

#include "file_errors.h"
#include "file_identities.h"
#include "path_helpers.h"

namespace {

constexpr char HoldFolder[] = "/tmp/vornaly-holds";

// The folder's identity and a checksum of the name: lock file names stay
// short, whatever the name's length and bytes.
std::string LockFileName(const std::string& path) {
    const std::string folder = FolderPart(path);
    PathIdentity identity;
    std::string key = folder;
    if (IdentityOfPath(folder.empty() ? "." : folder, identity)) key.clear();
    key += '/' + FileNamePart(path);
    uint64_t sum = 14695981039346656037ull;
    for (unsigned char byte : key) sum = (sum ^ byte) * 1099511628211ull;
    char name[96];
    snprintf(name, sizeof name, "%s/%llx-%llx-%016llx", HoldFolder,
             static_cast<unsigned long long>(identity.volume),
             static_cast<unsigned long long>(identity.index), static_cast<unsigned long long>(sum));
    return name;
}

// Every user's builders share the folder, as they share /tmp.
bool MakeHoldFolder() {
    if (mkdir(HoldFolder, 01777) == 0) return chmod(HoldFolder, 01777) == 0;
    return errno == EEXIST;
}

}  // namespace

HoldOutcome HoldWorkingName(const std::string& path, NativeHold& hold, int& errorNumber) {
    const std::string lockFile = LockFileName(path);
    if (MakeHoldFolder()) hold.reset(open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666));
    if (hold.valid()) {
        static_cast<void>(fchmod(hold.get(), 0666));
        if (flock(hold.get(), LOCK_EX | LOCK_NB) == 0) return HoldOutcome::kHeld;
        if (errno == EWOULDBLOCK) return HoldOutcome::kHeldElsewhere;
    }
    errorNumber = LastFileErrorNumber();
    return HoldOutcome::kFailed;
}
