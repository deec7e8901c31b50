#include "known_archive.h"

#include <algorithm>
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
    std::vector<StoredEntry> entries;  // their records make the directory
    std::string end;                   // the end record
};

KnownArchive& Known() {
    static KnownArchive known;
    return known;
}

bool SameFile(const ListedEntry& a, const ListedEntry& b) {
    return a.size == b.size && a.written == b.written && a.created == b.created;
}

// Compares a file's bytes from a place on with the texts handed in turn,
// reading the file in pieces: the directory is checked against the records
// themselves, so it is held once, not once more as a whole.
class FileCompare {
public:
    FileCompare(NativeFile file, uint64_t at, uint64_t length)
        : file_(file), next_(at), left_(length) {}

    bool Same(const std::string& bytes) {
        for (size_t done = 0; done < bytes.size();) {
            if (used_ == piece_.size() && !Refill()) return false;
            const size_t chunk = std::min(bytes.size() - done, piece_.size() - used_);
            if (piece_.compare(used_, chunk, bytes, done, chunk) != 0) return false;
            used_ += chunk;
            done += chunk;
        }
        return true;
    }

private:
    bool Refill() {
        const uint64_t kPiece = 256 * 1024;
        if (left_ == 0) return false;
        piece_.resize(static_cast<size_t>(std::min(left_, kPiece)));
        if (!ReadAt(file_, next_, &piece_[0], piece_.size())) return false;
        next_ += piece_.size();
        left_ -= piece_.size();
        used_ = 0;
        return true;
    }

    NativeFile file_;
    uint64_t next_;
    uint64_t left_;
    std::string piece_;
    size_t used_ = 0;
};

// Whether the archive at `path` is the known one, unchanged: its details,
// its length and every byte from its directory on.
bool StillKnown(const KnownArchive& known, const std::wstring& path, NativeFile file,
                uint64_t length) {
    ListedEntry details;
    if (known.path.empty() || known.path != FullArchivePath(path) || !PathDetails(path, details) ||
        !SameFile(details, known.details))
        return false;
    uint64_t directoryEnd = known.directoryOffset;
    for (const StoredEntry& entry : known.entries) directoryEnd += entry.record.size();
    if (directoryEnd + known.end.size() != length) return false;
    FileCompare compare(file, known.directoryOffset, length - known.directoryOffset);
    for (const StoredEntry& entry : known.entries)
        if (!compare.Same(entry.record)) return false;
    return compare.Same(known.end);
}

}  // namespace

std::wstring FullArchivePath(const std::wstring& path) {
    std::wstring full;
    return FoldCase(AbsolutePath(path, full) ? full : path);
}

const std::vector<StoredEntry>* KnownEntries(const std::wstring& path, NativeFile file,
                                             uint64_t length, uint64_t& directoryOffset) {
    const KnownArchive& known = Known();
    if (!StillKnown(known, path, file, length)) return nullptr;
    directoryOffset = known.directoryOffset;
    return &known.entries;
}

bool TakeKnownArchive(const std::wstring& path, NativeFile file, uint64_t length,
                      std::vector<StoredEntry>& entries, uint64_t& directoryOffset) {
    KnownArchive& known = Known();
    if (!StillKnown(known, path, file, length)) return false;
    entries = std::move(known.entries);
    known.entries.clear();
    known.path.clear();
    directoryOffset = known.directoryOffset;
    return true;
}

void RememberArchive(const std::wstring& path, std::vector<std::string>&& records,
                     uint64_t directoryOffset, const std::string& end) {
    KnownArchive& known = Known();
    known.path.clear();
    try {
        known.end = end;
        known.entries.clear();
        known.entries.reserve(records.size());
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
