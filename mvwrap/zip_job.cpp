#include "zip_job.h"

#include <algorithm>
#include <deque>
#include <set>
#include <utility>
#include <vector>

#include "archive_file.h"
#include "archive_output.h"
#include "failures.h"
#include "file_search.h"
#include "file_system.h"
#include "known_archive.h"
#include "name_order.h"
#include "never_packed.h"
#include "zip_format.h"
#include "zip_reader.h"

namespace mvwrap {

namespace {

// The files a call adds, as the search finds them, kept where the writer can
// read them while the search goes on: all but those the call never packs.
// The search has refused names equal but for case, so each name is new.
class NewFiles {
public:
    NewFiles(const std::wstring& archive, const std::vector<std::wstring>& leftOut)
        : never_(archive, leftOut) {}

    // Whether the file is kept.
    bool Take(FoundFile&& file) {
        if (never_.Holds(file)) return false;
        names.insert(FoldCase(file.name));
        files.push_back(std::move(file));
        return true;
    }

    std::deque<FoundFile> files;
    std::set<std::wstring> names;  // folded

private:
    NeverPacked never_;
};

// Drops the old entries that a new file replaces.
void DropReplaced(const std::set<std::wstring>& names, std::vector<StoredEntry>& entries) {
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [&names](const StoredEntry& entry) {
                                     return names.count(FoldCase(EntryName(entry.record))) != 0;
                                 }),
                  entries.end());
}

// The archive already there. A missing or empty file is an archive without
// entries.
struct Existing {
    File file;
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
    if (IsReadOnlyFile(path)) return Fail(MVWRAP_ARCHIVE_UNWRITABLE, path);
    for (bool write : {true, false}) {
        existing.writable = write;
        if (OpenExistingFile(path, write, existing.file) || IsMissingError(LastError())) break;
    }
    if (!existing.file.valid()) {
        return IsMissingError(LastError()) ? MVWRAP_OK : Fail(MVWRAP_ARCHIVE_UNWRITABLE, path);
    }
    if (!FileLength(existing.file.get(), existing.length))
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

}  // namespace

int32_t RunZipJob(const ZipRequest& request) {
    RemoveLeftoverTemporaries(request.archive);
    // The files are read as the search finds them; what goes wrong in the
    // reading is only reported once the search and the archive are found
    // sound, as when everything was listed first. Declared in this order so
    // that the writer's workers are gone before the files and the output,
    // and the output, which may write the old records back, before them.
    std::vector<std::string> records;
    ArchiveOutput output(request.archive);
    NewFiles found(request.archive, request.leftOut);
    EntryWriter writer(output, request.level, request.retry, request.workers);
    if (int32_t error = FindFiles(request.folder, request.files, request.depth, request.options,
                                  [&](FoundFile&& file) {
                                      if (found.Take(std::move(file)))
                                          writer.ReadAhead(found.files);
                                  }))
        return error;
    Existing existing;
    if (int32_t error = OpenExisting(request.archive, existing)) return error;
    const size_t had = existing.entries.size();
    DropReplaced(found.names, existing.entries);
    found.names.clear();  // a few megabytes for a large setup, not needed from here on
    if (!WithinLimits(existing.entries.size() + found.files.size(), 0))
        return Fail(MVWRAP_TOO_MANY, request.archive);

    records.reserve(existing.entries.size() + found.files.size());
    // Adding costs what is added; only replacing entries rewrites the rest.
    if (existing.writable && existing.packed && existing.entries.size() == had) {
        for (StoredEntry& entry : existing.entries) records.push_back(std::move(entry.record));
        if (int32_t error = output.Append(std::move(existing.file), existing.directoryOffset,
                                          existing.length, records))
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
    std::vector<StoredEntry>().swap(existing.entries);
    if (int32_t error = writer.AddAll(found.files, records)) return error;
    uint64_t centralOffset = output.Position();
    if (int32_t error = output.WriteRecords(records, records.size())) return error;
    uint64_t centralSize = output.Position() - centralOffset;
    std::string end =
        EndRecord(static_cast<uint16_t>(records.size()), static_cast<uint32_t>(centralSize),
                  static_cast<uint32_t>(centralOffset));
    if (int32_t error = output.Write(end)) return error;
    if (int32_t error = output.Commit()) return error;
    RememberArchive(request.archive, std::move(records), centralOffset, end);
    return MVWRAP_OK;
}

}  // namespace mvwrap
