// File work the two stubs share on Windows: reading a file by offset,
// writing one with its failures kept, folders made and removed.
#ifndef STUBS_FILE_IO_H
#define STUBS_FILE_IO_H

#include <windows.h>

#include "byte_source.h"
#include "entry_data.h"
#include "file_source.h"
#include "win_handles.h"

namespace stub {

// Exactly length bytes of the file from offset, or false.
bool ReadAt(HANDLE file, uint32_t offset, void* buffer, uint32_t length);

class FileSink : public ByteSink {
public:
    explicit FileSink(HANDLE file) : file_(file) {}
    bool Write(const void* bytes, uint32_t length) override;
    // The platform's error of the write that failed.
    DWORD Error() const { return error_; }

private:
    HANDLE file_;
    DWORD error_ = 0;
};

// Whether a write failed for want of space.
inline bool IsDiskFull(DWORD error) {
    return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL;
}

// Makes the folder and those above it; false when it is not there after.
// made, when given, hears of each folder this call made, the outermost
// first; when it answers false, that folder is removed again and the call
// ends with false.
bool MakeFolders(const char* folder, bool (*made)(const char* path, void* context) = nullptr,
                 void* context = nullptr);

// Removes the folder with everything in it, read-only files included; what
// cannot be removed now is left for removal at the next restart, as all of
// it is with atRestart (a program may still use it).
void RemoveTree(const char* folder, bool atRestart = false);

// A new folder of this process's own under the temporary folder, with a
// trailing backslash; false when none could be made.
bool MakePrivateFolder(char* folder, uint32_t room);

}  // namespace stub

#endif
