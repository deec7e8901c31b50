#include "zip_job.h"

#include <algorithm>
#include <set>
#include <vector>

#include "archive_output.h"
#include "failures.h"
#include "file_search.h"
#include "file_positions.h"
#include "file_system.h"
#include "known_archive.h"
#include "name_order.h"
#include "win_handles.h"
#include "zip_format.h"
#include "zip_reader.h"

namespace mvwrap {

namespace {

// The archive must not take in its own earlier state, nor a temporary file
// beside it, whether this run's or one a killed run left.
void DropArchiveItself(std::vector<FoundFile>& found, const std::wstring& archive) {
    std::wstring itself = FullArchivePath(archive);
    std::wstring folder =
        FullArchivePath(ArchiveFolder(archive).empty() ? L"." : ArchiveFolder(archive));
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    auto own = [&](const FoundFile& file) {
        std::wstring path = FullArchivePath(file.path);
        if (path == itself) return true;
        std::wstring::size_type split = path.find_last_of(L'\\');
        return split != std::wstring::npos && path.substr(0, split + 1) == folder &&
               IsTemporaryName(path.substr(split + 1));
    };
    found.erase(std::remove_if(found.begin(), found.end(), own), found.end());
}

// Keeps the first of new names equal but for case (a case-sensitive file
// system may hold both), and drops old entries that a new one replaces.
void DropReplaced(std::vector<FoundFile>& found, std::vector<StoredEntry>& entries) {
    std::set<std::wstring> names;
    std::vector<FoundFile> unique;
    for (FoundFile& file : found)
        if (names.insert(FoldCase(file.name)).second) unique.push_back(std::move(file));
    found.swap(unique);
    std::vector<StoredEntry> kept;
    for (StoredEntry& entry : entries)
        if (!names.count(FoldCase(EntryName(entry.record)))) kept.push_back(std::move(entry));
    entries.swap(kept);
}

// The archive already there. A missing or empty file is an archive without
// entries.
struct Existing {
    FileHandle file;
    bool writable = false;  // open for writing as well
    std::vector<StoredEntry> entries;
    uint64_t directoryOffset = 0;
    uint64_t length = 0;
    // Entries one after another from the start, the directory right after
    // them: new entries can go where the directory is, and the archive is
    // the same as if it had been rewritten.
    bool packed = false;
};

bool Packed(const std::vector<StoredEntry>& entries, uint64_t directoryOffset) {
    uint64_t at = 0;
    for (const StoredEntry& entry : entries) {
        if (entry.localOffset != at) return false;
        at += entry.length;
    }
    return at == directoryOffset;
}

// Opens the archive for adding to it, for writing as well where it can be.
// A read-only archive is refused before anything is written: replacing it
// would succeed on some systems and fail on others.
int32_t OpenExisting(const std::wstring& path, Existing& existing) {
    DWORD attributes = PathAttributes(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return Fail(MVWRAP_ARCHIVE_UNWRITABLE, path);
    for (DWORD access : {GENERIC_READ | GENERIC_WRITE, DWORD(GENERIC_READ)}) {
        existing.file.reset(OpenPath(path, access, FILE_SHARE_READ, OPEN_EXISTING, 0));
        existing.writable = (access & GENERIC_WRITE) != 0;
        if (existing.file.valid() || GetLastError() == ERROR_FILE_NOT_FOUND) break;
    }
    if (!existing.file.valid()) {
        DWORD code = GetLastError();
        return code == ERROR_FILE_NOT_FOUND ? MVWRAP_OK : Fail(MVWRAP_ARCHIVE_UNWRITABLE, path);
    }
    if (!GetFileLength(existing.file.get(), existing.length))
        return Fail(MVWRAP_ARCHIVE_UNWRITABLE, path);
    if (existing.length == 0) return MVWRAP_OK;
    if (TakeKnownArchive(path, existing.file.get(), existing.length, existing.entries,
                         existing.directoryOffset)) {
        existing.packed = true;
        return MVWRAP_OK;
    }
    if (!ReadArchive(existing.file.get(), existing.entries, &existing.directoryOffset))
        return Fail(MVWRAP_ARCHIVE_DAMAGED, path);
    existing.packed = Packed(existing.entries, existing.directoryOffset);
    return MVWRAP_OK;
}

// The directory goes out in a few large writes rather than one a record:
// each call that adds a folder writes the whole directory again.
int32_t WriteDirectory(ArchiveOutput& output, const std::vector<std::string>& records) {
    const size_t kPiece = 256 * 1024;
    std::string piece;
    for (size_t i = 0; i < records.size(); ++i) {
        piece += records[i];
        if (piece.size() >= kPiece || i + 1 == records.size()) {
            if (int32_t error = output.Write(piece)) return error;
            piece.clear();
        }
    }
    return MVWRAP_OK;
}

}  // namespace

int32_t RunZipJob(const ZipRequest& request) {
    RemoveLeftoverTemporaries(request.archive);
    std::vector<FoundFile> found;
    if (int32_t error =
            FindFiles(request.folder, request.files, request.depth, request.options, found))
        return error;
    DropArchiveItself(found, request.archive);
    Existing existing;
    if (int32_t error = OpenExisting(request.archive, existing)) return error;
    const size_t had = existing.entries.size();
    DropReplaced(found, existing.entries);
    if (!WithinLimits(existing.entries.size() + found.size(), 0))
        return Fail(MVWRAP_TOO_MANY, request.archive);

    ArchiveOutput output(request.archive);
    EntryWriter writer(output, request.level, request.retry, request.workers);
    std::vector<std::string> records;
    // Adding costs what is added; only replacing entries rewrites the rest.
    if (existing.writable && existing.packed && existing.entries.size() == had) {
        for (const StoredEntry& entry : existing.entries) records.push_back(entry.record);
        if (int32_t error =
                output.Append(std::move(existing.file), existing.directoryOffset, existing.length))
            return error;
    } else {
        if (int32_t error = output.Create()) return error;
        for (const StoredEntry& entry : existing.entries) {
            records.emplace_back();
            if (int32_t error =
                    writer.CarryOver(existing.file.get(), request.archive, entry, records.back()))
                return error;
        }
        existing.file.reset();
    }
    existing.entries.clear();
    if (int32_t error = writer.AddAll(found, records)) return error;
    uint64_t centralOffset = output.Position();
    if (int32_t error = WriteDirectory(output, records)) return error;
    uint64_t centralSize = output.Position() - centralOffset;
    std::string end =
        EndRecord(static_cast<uint16_t>(records.size()), static_cast<uint32_t>(centralSize),
                  static_cast<uint32_t>(centralOffset));
    if (int32_t error = output.Write(end)) return error;
    if (int32_t error = output.Commit()) return error;
    RememberArchive(request.archive, records, centralOffset, end);
    return MVWRAP_OK;
}

}  // namespace mvwrap
