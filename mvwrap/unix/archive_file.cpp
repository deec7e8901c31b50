// The archive's file calls natively, on file descriptors. Linux has no
// share modes: what another program has open is neither refused nor held.
#include "archive_file.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include "text_codes.h"

namespace mvwrap {

bool CreateNewFile(const std::wstring& path, File& file) {
    file.reset(open(ToUtf8(path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    return file.valid();
}

bool OpenExistingFile(const std::wstring& path, bool write, File& file) {
    file.reset(open(ToUtf8(path).c_str(), (write ? O_RDWR : O_RDONLY) | O_CLOEXEC));
    return file.valid();
}

// As Wine shows a Linux file: read-only when nobody may write to it.
bool IsReadOnlyFile(const std::wstring& path) {
    struct stat status;
    return stat(ToUtf8(path).c_str(), &status) == 0 && !(status.st_mode & 0222);
}

// A short write tells how far the disk had room; the next write then says
// why it stopped.
bool WriteNext(NativeFile file, const void* data, size_t size, size_t& written) {
    const char* from = static_cast<const char*>(data);
    written = 0;
    while (written < size) {
        const ssize_t count = write(file, from + written, size - written);
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) return false;
        written += static_cast<size_t>(count);
    }
    return true;
}

bool MoveTo(NativeFile file, uint64_t at) {
    return lseek(file, static_cast<off_t>(at), SEEK_SET) != off_t(-1);
}

bool CutHere(NativeFile file) {
    const off_t at = lseek(file, 0, SEEK_CUR);
    return at != off_t(-1) && ftruncate(file, at) == 0;
}

bool CloseChecked(File& file) { return close(file.release()) == 0; }

bool KeepTimes(NativeFile file, FileTimes& times) {
    struct stat status;
    if (fstat(file, &status) != 0) return false;
    times.accessed = status.st_atim;
    times.written = status.st_mtim;
    return true;
}

bool PutTimesBack(NativeFile file, const FileTimes& times) {
    const struct timespec both[2] = {times.accessed, times.written};
    return futimens(file, both) == 0;
}

bool ReplacePath(const std::wstring& source, const std::wstring& target) {
    return rename(ToUtf8(source).c_str(), ToUtf8(target).c_str()) == 0;
}

bool RemoveFile(const std::wstring& path) { return unlink(ToUtf8(path).c_str()) == 0; }

uint32_t NameSeed() {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    const uint32_t milliseconds = static_cast<uint32_t>(now.tv_sec * 1000 + now.tv_nsec / 1000000);
    return milliseconds ^ (static_cast<uint32_t>(getpid()) << 16);
}

}  // namespace mvwrap
