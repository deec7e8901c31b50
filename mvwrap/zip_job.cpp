#include "zip_job.h"

#include <algorithm>
#include <set>
#include <vector>

#include "archive_output.h"
#include "failures.h"
#include "file_search.h"
#include "name_order.h"
#include "win_handles.h"
#include "zip_format.h"
#include "zip_reader.h"

namespace mvwrap {

namespace {

// The archive already there, open for carrying its entries over. A missing
// or empty file is an archive without entries. A read-only archive is
// refused before anything is written: replacing it would succeed on some
// systems and fail on others.
int32_t OpenExisting(const std::wstring& path, FileHandle& archive,
                     std::vector<StoredEntry>& entries) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return Fail(MVWRAP_ARCHIVE_UNWRITABLE, path);
    archive.reset(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr));
    if (!archive.valid()) {
        DWORD code = GetLastError();
        return code == ERROR_FILE_NOT_FOUND ? MVWRAP_OK : Fail(MVWRAP_ARCHIVE_UNWRITABLE, path);
    }
    LARGE_INTEGER size;
    if (GetFileSizeEx(archive.get(), &size) && size.QuadPart == 0) return MVWRAP_OK;
    if (!ReadArchive(archive.get(), entries)) return Fail(MVWRAP_ARCHIVE_DAMAGED, path);
    return MVWRAP_OK;
}

std::wstring FullPath(const std::wstring& path) {
    DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(length, L'\0');
    if (length > 0) length = GetFullPathNameW(path.c_str(), length, &full[0], nullptr);
    return FoldCase(length > 0 && length < full.size() ? full.substr(0, length) : path);
}

// The archive must not take in its own earlier state, nor a temporary file
// beside it, whether this run's or one a killed run left.
void DropArchiveItself(std::vector<FoundFile>& found, const std::wstring& archive) {
    std::wstring itself = FullPath(archive);
    std::wstring folder = FullPath(ArchiveFolder(archive).empty() ? L"." : ArchiveFolder(archive));
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    auto own = [&](const FoundFile& file) {
        std::wstring path = FullPath(file.path);
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

}  // namespace

int32_t RunZipJob(const ZipRequest& request) {
    RemoveLeftoverTemporaries(request.archive);
    std::vector<FoundFile> found;
    if (int32_t error =
            FindFiles(request.folder, request.files, request.depth, request.options, found))
        return error;
    DropArchiveItself(found, request.archive);
    FileHandle existing;
    std::vector<StoredEntry> entries;
    if (int32_t error = OpenExisting(request.archive, existing, entries)) return error;
    DropReplaced(found, entries);
    if (!WithinLimits(entries.size() + found.size(), 0))
        return Fail(MVWRAP_TOO_MANY, request.archive);

    ArchiveOutput output(request.archive);
    if (int32_t error = output.Create()) return error;
    EntryWriter writer(output, request.level, request.retry);
    std::vector<std::string> records;
    for (const StoredEntry& entry : entries) {
        records.emplace_back();
        if (int32_t error =
                writer.CarryOver(existing.get(), request.archive, entry, records.back()))
            return error;
    }
    existing.reset();
    for (const FoundFile& file : found) {
        records.emplace_back();
        if (int32_t error = writer.Add(file, records.back())) return error;
    }
    uint64_t centralOffset = output.Position();
    for (const std::string& record : records)
        if (int32_t error = output.Write(record)) return error;
    uint64_t centralSize = output.Position() - centralOffset;
    std::string end =
        EndRecord(static_cast<uint16_t>(records.size()), static_cast<uint32_t>(centralSize),
                  static_cast<uint32_t>(centralOffset));
    if (int32_t error = output.Write(end)) return error;
    return output.Commit();
}

}  // namespace mvwrap
