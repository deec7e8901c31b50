#include "zip_job.h"

#include <algorithm>
#include <set>
#include <vector>

#include "archive_output.h"
#include "failures.h"
#include "file_search.h"
#include "handles.h"
#include "name_order.h"
#include "zip_format.h"
#include "zip_reader.h"

namespace mvwrap {

namespace {

// The archive already there, open for carrying its entries over. A missing
// or empty file is an archive without entries.
int32_t OpenExisting(const std::wstring& path, FileHandle& archive,
                     std::vector<std::string>& records) {
    archive.reset(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr));
    if (!archive.valid()) {
        DWORD code = GetLastError();
        return code == ERROR_FILE_NOT_FOUND ? MVWRAP_OK : Fail(MVWRAP_ARCHIVE_UNWRITABLE, path);
    }
    LARGE_INTEGER size;
    if (GetFileSizeEx(archive.get(), &size) && size.QuadPart == 0) return MVWRAP_OK;
    if (!ReadCentralDirectory(archive.get(), records)) return Fail(MVWRAP_ARCHIVE_DAMAGED, path);
    return MVWRAP_OK;
}

std::wstring FullPath(const std::wstring& path) {
    wchar_t full[MAX_PATH];
    DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    return FoldCase(length > 0 && length < MAX_PATH ? std::wstring(full, length) : path);
}

// An archive inside the folder it is made from must not take in its own
// earlier state.
void DropArchiveItself(std::vector<FoundFile>& found, const std::wstring& archive) {
    std::wstring itself = FullPath(archive);
    found.erase(
        std::remove_if(found.begin(), found.end(),
                       [&](const FoundFile& file) { return FullPath(file.path) == itself; }),
        found.end());
}

// Keeps the first of new names equal but for case (a case-sensitive file
// system may hold both), and drops old entries that a new one replaces.
void DropReplaced(std::vector<FoundFile>& found, std::vector<std::string>& records) {
    std::set<std::wstring> names;
    std::vector<FoundFile> unique;
    for (FoundFile& file : found)
        if (names.insert(FoldCase(file.name)).second) unique.push_back(std::move(file));
    found.swap(unique);
    std::vector<std::string> kept;
    for (std::string& record : records)
        if (!names.count(FoldCase(EntryName(record)))) kept.push_back(std::move(record));
    records.swap(kept);
}

}  // namespace

int32_t RunZipJob(const ZipRequest& request) {
    std::vector<FoundFile> found;
    if (int32_t error =
            FindFiles(request.folder, request.files, request.depth, request.options, found))
        return error;
    DropArchiveItself(found, request.archive);
    FileHandle existing;
    std::vector<std::string> records;
    if (int32_t error = OpenExisting(request.archive, existing, records)) return error;
    DropReplaced(found, records);
    if (!WithinLimits(records.size() + found.size(), 0))
        return Fail(MVWRAP_TOO_MANY, request.archive);

    ArchiveOutput output(request.archive);
    if (int32_t error = output.Create()) return error;
    EntryWriter writer(output, request.level, request.retry);
    for (std::string& record : records)
        if (int32_t error = writer.CarryOver(existing.get(), request.archive, record)) return error;
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
