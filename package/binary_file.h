// A file opened in binary mode without sharing, closed on every path. Every
// failing operation throws FileError with the file-error number, so a writer
// needs one fault handler, not a check per call. Offsets count from 0.
#ifndef PACKAGE_BINARY_FILE_H
#define PACKAGE_BINARY_FILE_H

#include <cstdint>
#include <string>
#include <utility>

#include "file_times.h"
#include "binary_file_handle.h"

class BinaryFile {
public:
    // Read/write, falling back to read-only when writing is refused; a
    // missing file is created empty.
    static BinaryFile OpenForUpdate(const std::string& path);
    // As OpenForUpdate, but a missing file is an error, never created.
    static BinaryFile OpenExistingForUpdate(const std::string& path);
    static BinaryFile OpenForReading(const std::string& path);

    uint64_t Length() const;
    uint64_t Position() const;
    void SeekTo(uint64_t offset);
    void SeekToEnd();

    // Reads up to size bytes; fewer only at the end of the file.
    uint32_t Read(void* buffer, uint32_t size);
    // Writes all bytes; a write that stores fewer is a full disk.
    void Write(const void* buffer, uint32_t size);
    void Write(const std::string& bytes);

    // The file ends at the current position.
    void EndHere();

    // False, leaving times as they were, when the system cannot say.
    bool ReadTimes(FileTimes& times) const;
    // A zero time stays as it is. False when the system refused.
    bool SetTimes(const FileTimes& times);

    // Closes now, reporting a failure; the destructor closes quietly.
    void Close();

private:
    explicit BinaryFile(NativeFile handle) : handle_(std::move(handle)) {}
    static BinaryFile Open(const std::string& path, bool update, bool createMissing);

    NativeFile handle_;
};

#endif
