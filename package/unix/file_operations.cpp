// Removing, moving and making through POSIX calls on the names' UTF-8.
#include "file_operations.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include "path_helpers.h"
#include "system_names.h"

bool RemoveFile(const std::string& path) {
    std::string name;
    return ToSystemName(path, name) && unlink(name.c_str()) == 0;
}

// rename would replace what lies at `to`; a move, as on Windows, never does.
bool MoveFileTo(const std::string& from, const std::string& to) {
    std::string source, target;
    if (!ToSystemName(from, source) || !ToSystemName(to, target)) return false;
    if (renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    // A file system that cannot refuse for us.
    struct stat status;
    if (lstat(target.c_str(), &status) == 0) {
        errno = EEXIST;
        return false;
    }
    return rename(source.c_str(), target.c_str()) == 0;
}

bool MakeFolder(const std::string& path) {
    std::string name;
    return ToSystemName(path, name) && mkdir(name.c_str(), 0777) == 0;
}

bool RemoveFolder(const std::string& path) {
    std::string name;
    return ToSystemName(path, name) && rmdir(name.c_str()) == 0;
}

// mkstemps claims the name with a file of its own; the move that follows
// needs the name free, so the file goes again.
std::string FreeNameBeside(const std::string& path) {
    std::string folder;
    if (!ToSystemName(FolderPart(path), folder)) return "";
    std::string name = (folder.empty() ? std::string("./") : folder) + "vnpXXXXXX.tmp";
    const int fd = mkstemps(&name[0], 4);
    if (fd < 0) return "";
    close(fd);
    unlink(name.c_str());
    std::string text;
    return FromSystemName(name, text) ? text : "";
}
