// The archive being written. Everything goes to a temporary file beside the
// archive, which takes the archive's place only on Commit and is deleted
// otherwise: a failed run leaves the old archive, or none, never a half one.
// Every write keeps within the format's 4 GiB - 1 bytes. The temporary
// file's name is the component's own ("mvz", hex digits, ".tmp"), so that a
// file left by a killed run is never taken for content and can be removed.
#ifndef MVWRAP_ARCHIVE_OUTPUT_H
#define MVWRAP_ARCHIVE_OUTPUT_H

#include <stdint.h>

#include <string>

#include "win_handles.h"

namespace mvwrap {

// The folder an archive is in, ending in a separator; empty for a bare name.
std::wstring ArchiveFolder(const std::wstring& archive);

// Whether a file name (without folder) is one of the component's temporary
// files: "mvz", one to eight hex digits, ".tmp", in any case.
bool IsTemporaryName(const std::wstring& name);

// Deletes the temporary files that a killed or crashed run left beside the
// archive. One that another run is still writing is open, so it stays.
void RemoveLeftoverTemporaries(const std::wstring& archive);

class ArchiveOutput {
public:
    explicit ArchiveOutput(std::wstring archive) : archive_(std::move(archive)) {}
    ~ArchiveOutput();
    ArchiveOutput(const ArchiveOutput&) = delete;
    ArchiveOutput& operator=(const ArchiveOutput&) = delete;

    // Each returns 0 or an error number that names the archive.
    int32_t Create();
    int32_t Write(const void* data, size_t size);
    int32_t Write(const std::string& bytes) { return Write(bytes.data(), bytes.size()); }
    // Overwrites bytes already written, then carries on at the end.
    int32_t Patch(uint64_t at, const std::string& bytes);
    // Drops everything from `at` on, to write it anew.
    int32_t Truncate(uint64_t at);
    // Closes the temporary file and puts it in the archive's place.
    int32_t Commit();
    int32_t TooLarge() const;

    uint64_t Position() const { return position_; }

private:
    int32_t Seek(uint64_t at);
    int32_t WriteError() const;

    std::wstring archive_;
    std::wstring temporary_;
    FileHandle file_;
    uint64_t position_ = 0;
    bool committed_ = false;
};

}  // namespace mvwrap

#endif
