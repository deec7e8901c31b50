#include "known_archive.h"

#include <utility>

#include "file_system.h"
#include "folder_listing.h"
#include "name_order.h"
#include "path_identity.h"
#include "zip_format.h"

namespace mvwrap {

namespace {

struct KnownArchive {
    std::wstring path;
    ListedEntry details;
    uint64_t directoryOffset = 0;
    std::string end;  // directory and end record
    std::vector<StoredEntry> entries;
};

KnownArchive& Known() {
    static KnownArchive known;
    return known;
}

bool SameFile(const ListedEntry& a, const ListedEntry& b) {
    return a.size == b.size && a.written == b.written && a.created == b.created;
}

}  // namespace

std::wstring FullArchivePath(const std::wstring& path) {
    std::wstring full;
    return FoldCase(AbsolutePath(path, full) ? full : path);
}

bool TakeKnownArchive(const std::wstring& path, NativeFile file, uint64_t length,
                      std::vector<StoredEntry>& entries, uint64_t& directoryOffset) {
    const KnownArchive& known = Known();
    ListedEntry details;
    if (known.path.empty() || known.path != FullArchivePath(path) || !PathDetails(path, details) ||
        !SameFile(details, known.details) || known.directoryOffset + known.end.size() != length)
        return false;
    std::string end(known.end.size(), '\0');
    if (!ReadAt(file, known.directoryOffset, &end[0], end.size()) || end != known.end) return false;
    entries = known.entries;
    directoryOffset = known.directoryOffset;
    return true;
}

void RememberArchive(const std::wstring& path, std::vector<std::string>&& records,
                     uint64_t directoryOffset, const std::string& end) {
    KnownArchive& known = Known();
    known.path.clear();
    try {
        known.end.clear();
        for (const std::string& record : records) known.end += record;
        known.end += end;
        known.entries.clear();
        for (size_t i = 0; i < records.size(); ++i) {
            uint64_t at = RecordLocalOffset(records[i]);
            uint64_t next =
                i + 1 < records.size() ? RecordLocalOffset(records[i + 1]) : directoryOffset;
            known.entries.push_back({std::move(records[i]), at, next - at});
        }
        known.directoryOffset = directoryOffset;
        if (PathDetails(path, known.details)) known.path = FullArchivePath(path);
    } catch (...) {
        known.path.clear();
    }
}

}  // namespace mvwrap
