// What the component's portable code asks of the file system, in its own
// terms: files opened by UTF-16 name and owned by a File, read front to back
// or at 64-bit positions, the system's number for why a call failed, and
// names compared as the system compares them. Each system's answers live in
// its own folder (windows/, unix/).
#ifndef MVWRAP_FILE_SYSTEM_H
#define MVWRAP_FILE_SYSTEM_H

#include <stddef.h>
#include <stdint.h>

#include <string>

#include "native_file.h"

namespace mvwrap {

// Why a call failed, as the system numbers it (GetLastError, errno).
using SystemError = uint32_t;
SystemError LastError();
// What a failure means to the component, whatever the system's numbers.
bool IsMissingError(SystemError code);   // nothing at that path
bool IsExistsError(SystemError code);    // something already at that path
bool IsLockedError(SystemError code);    // another program holds the file
bool IsDiskFullError(SystemError code);  // no room left on the disk

void CloseFile(NativeFile file);

// An open file, closed when it goes. Move-only: a copy would close it twice.
class File {
public:
    File() = default;
    explicit File(NativeFile file) : file_(file) {}
    File(File&& other) noexcept : file_(other.release()) {}
    File& operator=(File&& other) noexcept {
        reset(other.release());
        return *this;
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File() { reset(); }

    NativeFile get() const { return file_; }
    bool valid() const { return file_ != NoFile(); }
    NativeFile release() {
        NativeFile file = file_;
        file_ = NoFile();
        return file;
    }
    void reset(NativeFile file = NoFile()) {
        if (valid()) CloseFile(file_);
        file_ = file;
    }

private:
    NativeFile file_ = NoFile();
};

// Opens a file to be read front to back, sharing it with other readers
// only; false with LastError() telling why.
bool OpenToRead(const std::wstring& path, File& file);
// Up to `size` bytes from where the last read ended; `count` 0 at the end.
bool ReadNext(NativeFile file, void* data, size_t size, size_t& count);

bool FileLength(NativeFile file, uint64_t& length);
// Reads exactly `size` bytes at `at`.
bool ReadAt(NativeFile file, uint64_t at, void* data, size_t size);

// A name in upper case, as the file system compares names.
std::wstring UpperCaseName(std::wstring name);

}  // namespace mvwrap

#endif
