#include "extraction_changes.h"

#include <errno.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

bool ExtractionChanges::MakeFolders(const std::string& folder) {
    for (size_t at = folder.find('/', 1);; at = folder.find('/', at + 1)) {
        std::string part = folder.substr(0, at);
        if (!part.empty()) {
            if (mkdir(part.c_str(), 0777) == 0)
                folders_.push_back(part);
            else if (errno != EEXIST)
                return false;
        }
        if (at == std::string::npos) break;
    }
    struct stat status;
    return stat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool ExtractionChanges::Place(const std::string& temporary, const std::string& path) {
    struct stat status;
    if (lstat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode)) {
        std::string aside = path.substr(0, path.rfind('/') + 1) + ".vnpunpack-old-XXXXXX";
        int holder = mkstemp(&aside[0]);
        if (holder < 0) return false;
        close(holder);
        if (rename(path.c_str(), aside.c_str()) != 0) {
            int error = errno;
            unlink(aside.c_str());
            errno = error;
            return false;
        }
        setAside_.emplace_back(path, aside);
    }
    if (rename(temporary.c_str(), path.c_str()) != 0) return false;
    placed_.push_back(path);
    return true;
}

void ExtractionChanges::Keep() {
    for (const auto& file : setAside_) unlink(file.second.c_str());
}

void ExtractionChanges::TakeBack() {
    for (const std::string& path : placed_) unlink(path.c_str());
    for (const auto& file : setAside_) rename(file.second.c_str(), file.first.c_str());
    for (auto folder = folders_.rbegin(); folder != folders_.rend(); ++folder)
        rmdir(folder->c_str());
}
