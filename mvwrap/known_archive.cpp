#include "known_archive.h"

#include <utility>

#include "file_calls.h"
#include "file_system.h"
#include "name_order.h"
#include "zip_format.h"

namespace mvwrap {

namespace {

struct KnownArchive {
    std::wstring path;
    WIN32_FILE_ATTRIBUTE_DATA attributes;
    uint64_t directoryOffset = 0;
    std::string end;  // directory and end record
    std::vector<StoredEntry> entries;
};

KnownArchive& Known() {
    static KnownArchive known;
    return known;
}

bool SameFile(const WIN32_FILE_ATTRIBUTE_DATA& a, const WIN32_FILE_ATTRIBUTE_DATA& b) {
    return a.nFileSizeHigh == b.nFileSizeHigh && a.nFileSizeLow == b.nFileSizeLow &&
           CompareFileTime(&a.ftLastWriteTime, &b.ftLastWriteTime) == 0 &&
           CompareFileTime(&a.ftCreationTime, &b.ftCreationTime) == 0;
}

}  // namespace

std::wstring FullArchivePath(const std::wstring& path) {
    std::wstring full;
    return FoldCase(AbsolutePath(path, full) ? full : path);
}

bool TakeKnownArchive(const std::wstring& path, HANDLE file, uint64_t length,
                      std::vector<StoredEntry>& entries, uint64_t& directoryOffset) {
    const KnownArchive& known = Known();
    WIN32_FILE_ATTRIBUTE_DATA attributes;
    if (known.path.empty() || known.path != FullArchivePath(path) ||
        !PathDetails(path, attributes) || !SameFile(attributes, known.attributes) ||
        known.directoryOffset + known.end.size() != length)
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
        if (PathDetails(path, known.attributes)) known.path = FullArchivePath(path);
    } catch (...) {
        known.path.clear();
    }
}

}  // namespace mvwrap
