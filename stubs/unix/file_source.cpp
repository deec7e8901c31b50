// POSIX keeps the file as a descriptor.
#include "file_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace stub {

FileSource::FileSource(const char* path) : file_(open(path, O_RDONLY | O_CLOEXEC)) {
    struct stat status;
    if (!Open()) return;
    if (fstat(int(file_), &status) != 0 || !S_ISREG(status.st_mode)) {
        close(int(file_));
        file_ = kNoFile;
        return;
    }
    size_ = uint64_t(status.st_size) > 0xFFFFFFFFu ? 0 : uint32_t(status.st_size);
}

FileSource::~FileSource() {
    if (Open()) close(int(file_));
}

bool FileSource::Read(uint32_t offset, void* buffer, uint32_t length) {
    if (offset > size_ || length > size_ - offset) return false;
    char* at = static_cast<char*>(buffer);
    while (length > 0) {
        ssize_t read = pread(int(file_), at, length, off_t(offset));
        if (read <= 0) return false;
        at += read;
        offset += uint32_t(read);
        length -= uint32_t(read);
    }
    return true;
}

}  // namespace stub
