// The archive being written, in one of two ways. A new archive, or one
// whose entries are rewritten, goes to a temporary file beside the archive,
// which takes the archive's place only on Commit and is deleted otherwise.
// Adding to an archive without replacing any entry writes in the archive
// itself, from where its central directory starts: unless Commit is reached
// the old directory and end record are written back and the file cut to its
// old length, so that a failed run leaves the old archive byte for byte, or
// none, never a half one. The old directory is written back from its
// records, which the caller holds anyway: a large one is not held twice.
// Every write keeps within the format's 4 GiB - 1 bytes. The temporary
// file's name is the component's own ("mvz", hex digits, ".tmp"), so that a
// file left by a killed run is never taken for content and can be removed.
#ifndef MVWRAP_ARCHIVE_OUTPUT_H
#define MVWRAP_ARCHIVE_OUTPUT_H

#include <stdint.h>

#include <string>
#include <vector>

#include "file_system.h"

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
    // Takes over the open archive (read and write access), to write from
    // `at`, the start of its central directory; `length` is its size now.
    // `records` are its central records, in order, as the file holds them
    // from `at` on; they must outlive the output and only grow.
    int32_t Append(File archive, uint64_t at, uint64_t length,
                   const std::vector<std::string>& records);
    int32_t Write(const void* data, size_t size);
    int32_t Write(const std::string& bytes) { return Write(bytes.data(), bytes.size()); }
    // The first `count` of `records` one after another, in a few large
    // writes rather than one a record: each call that adds a folder writes
    // the whole directory again.
    int32_t WriteRecords(const std::vector<std::string>& records, size_t count);
    // Overwrites bytes already written, then carries on at the end.
    int32_t Patch(uint64_t at, const std::string& bytes);
    // Goes back to `at`, to write everything from there anew; what lies
    // beyond is cut on Commit.
    int32_t Rewind(uint64_t at) { return Seek(at); }
    // Ends the archive where the writing stopped, and puts a temporary file
    // in the archive's place.
    int32_t Commit();
    int32_t TooLarge() const;

    uint64_t Position() const { return position_; }

private:
    int32_t Seek(uint64_t at);
    int32_t WriteError() const;
    void RestoreOldEnd();

    std::wstring archive_;
    std::wstring temporary_;
    File file_;
    uint64_t position_ = 0;
    bool committed_ = false;
    bool appending_ = false;
    uint64_t oldEndAt_ = 0;
    const std::vector<std::string>* oldRecords_ = nullptr;
    size_t oldCount_ = 0;
    std::string oldEnd_;  // the appended archive's bytes after its old records
    FileTimes oldTimes_ = {};
};

}  // namespace mvwrap

#endif
