// BinaryFile over POSIX file descriptors. Linux has no share modes: the
// hold on the working names (working_hold.h) keeps other Creates away.
#include "binary_file.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "file_errors.h"
#include "file_time_units.h"
#include "path_helpers.h"
#include "system_names.h"

namespace {

// Windows tells a missing folder (error 3, number 76) from a missing file
// (2, 53); Linux says ENOENT for both, so the folder is looked at.
[[noreturn]] void ThrowOpenError(const std::string& path) {
    if (errno == ENOENT) {
        std::string folder;
        struct stat status;
        const std::string above = StripBackslash(FolderPart(path));
        if (!above.empty() && ToSystemName(above, folder) && stat(folder.c_str(), &status) != 0)
            errno = ENOTDIR;
        else
            errno = ENOENT;
    }
    ThrowLastFileError();
}

}  // namespace

BinaryFile BinaryFile::Open(const std::string& path, bool update, bool createMissing) {
    if (path.empty() || path.find_first_of("*?") != std::string::npos)
        throw FileError{ErrBadFileName};
    std::string name;
    if (!ToSystemName(path, name)) ThrowLastFileError();
    int fd = -1;
    if (update) {
        fd = open(name.c_str(), O_RDWR | O_CLOEXEC | (createMissing ? O_CREAT : 0), 0666);
        if (fd < 0 && errno != EACCES && errno != EROFS) ThrowOpenError(path);
    }
    if (fd < 0) {
        fd = open(name.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) ThrowOpenError(path);
    }
    struct stat status;
    if (fstat(fd, &status) == 0 && S_ISDIR(status.st_mode)) {
        close(fd);
        errno = EISDIR;
        ThrowLastFileError();
    }
    return BinaryFile(NativeFile(fd));
}

uint64_t BinaryFile::Length() const {
    struct stat status;
    if (fstat(handle_.get(), &status) != 0) ThrowLastFileError();
    return static_cast<uint64_t>(status.st_size);
}

uint64_t BinaryFile::Position() const {
    const off_t at = lseek(handle_.get(), 0, SEEK_CUR);
    if (at < 0) ThrowLastFileError();
    return static_cast<uint64_t>(at);
}

void BinaryFile::SeekTo(uint64_t offset) {
    if (lseek(handle_.get(), static_cast<off_t>(offset), SEEK_SET) < 0) ThrowLastFileError();
}

void BinaryFile::SeekToEnd() {
    if (lseek(handle_.get(), 0, SEEK_END) < 0) ThrowLastFileError();
}

uint32_t BinaryFile::Read(void* buffer, uint32_t size) {
    char* to = static_cast<char*>(buffer);
    uint32_t done = 0;
    while (done < size) {
        const ssize_t got = read(handle_.get(), to + done, size - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) ThrowLastFileError();
        if (got == 0) break;
        done += static_cast<uint32_t>(got);
    }
    return done;
}

void BinaryFile::Write(const void* buffer, uint32_t size) {
    const char* from = static_cast<const char*>(buffer);
    for (uint32_t done = 0; done < size;) {
        const ssize_t put = write(handle_.get(), from + done, size - done);
        if (put < 0 && errno == EINTR) continue;
        if (put < 0) ThrowLastFileError();
        if (put == 0) throw FileError{ErrDiskFull};
        done += static_cast<uint32_t>(put);
    }
}

void BinaryFile::EndHere() {
    const off_t at = lseek(handle_.get(), 0, SEEK_CUR);
    if (at < 0 || ftruncate(handle_.get(), at) != 0) ThrowLastFileError();
}

bool BinaryFile::ReadTimes(FileTimes& times) const { return ReadFileTimes(handle_.get(), times); }

bool BinaryFile::SetTimes(const FileTimes& times) { return WriteFileTimes(handle_.get(), times); }

void BinaryFile::Close() {
    if (close(handle_.release()) != 0) ThrowLastFileError();
}
