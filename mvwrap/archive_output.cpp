// Where the archive's bytes go and how a failed run is taken back; the file
// calls themselves are the system's (archive_file.h).
#include "archive_output.h"

#include <wctype.h>

#include "archive_file.h"
#include "failures.h"
#include "file_system.h"
#include "folder_listing.h"
#include "folder_separators.h"
#include "zip_format.h"
#include "zip_reader.h"

namespace mvwrap {

namespace {

const wchar_t kTemporaryPrefix[] = L"mvz";
const wchar_t kTemporarySuffix[] = L".tmp";

std::wstring Hex(uint32_t value) {
    const wchar_t digits[] = L"0123456789ABCDEF";
    std::wstring text(8, L'0');
    for (int i = 7; i >= 0; --i, value >>= 4) text[i] = digits[value & 0xF];
    return text;
}

// Whether `text` begins with `ascii` (lower case), ignoring case.
bool StartsAsciiFolded(const wchar_t* text, const wchar_t* ascii) {
    for (; *ascii; ++text, ++ascii) {
        const wchar_t c = *text >= L'A' && *text <= L'Z' ? *text - L'A' + L'a' : *text;
        if (c != *ascii) return false;
    }
    return true;
}

}  // namespace

std::wstring ArchiveFolder(const std::wstring& archive) {
    std::wstring::size_type split = archive.find_last_of(kFolderSeparators);
    return split == std::wstring::npos ? std::wstring() : archive.substr(0, split + 1);
}

bool IsTemporaryName(const std::wstring& name) {
    const size_t prefix = 3, suffix = 4;
    if (name.size() < prefix + 1 + suffix || name.size() > prefix + 8 + suffix) return false;
    if (!StartsAsciiFolded(name.c_str(), kTemporaryPrefix) ||
        !StartsAsciiFolded(name.c_str() + name.size() - suffix, kTemporarySuffix))
        return false;
    for (size_t i = prefix; i < name.size() - suffix; ++i)
        if (!iswxdigit(name[i])) return false;
    return true;
}

void RemoveLeftoverTemporaries(const std::wstring& archive) {
    std::wstring folder = ArchiveFolder(archive);
    std::vector<ListedEntry> entries;
    ListFolder(folder, kTemporaryPrefix + std::wstring(L"*") + kTemporarySuffix, entries);
    for (const ListedEntry& entry : entries)
        if (!(entry.attributes & kFolderAttribute) && IsTemporaryName(entry.name))
            RemoveFile(folder + entry.name);
}

ArchiveOutput::~ArchiveOutput() {
    if (committed_) return;
    if (appending_) {
        RestoreOldEnd();
        return;
    }
    if (temporary_.empty()) return;
    file_.reset();
    RemoveFile(temporary_);
}

// Only bytes from the old directory on were written, and the file was never
// cut below its old length, so putting the old end back needs no new room on
// the disk. Its times come back too, as nothing in it has changed.
void ArchiveOutput::RestoreOldEnd() {
    if (Seek(oldEndAt_) == MVWRAP_OK && WriteRecords(*oldRecords_, oldCount_) == MVWRAP_OK &&
        Write(oldEnd_) == MVWRAP_OK)
        CutHere(file_.get());
    PutTimesBack(file_.get(), oldTimes_);
}

int32_t ArchiveOutput::Append(File archive, uint64_t at, uint64_t length,
                              const std::vector<std::string>& records) {
    file_ = std::move(archive);
    if (at > length || length - at > 0x7FFFFFFF || !KeepTimes(file_.get(), oldTimes_))
        return Fail(MVWRAP_ARCHIVE_UNWRITABLE, archive_);
    uint64_t end = at;
    for (const std::string& record : records) end += record.size();
    if (end > length) return Fail(MVWRAP_ARCHIVE_DAMAGED, archive_);
    oldEnd_.resize(static_cast<size_t>(length - end));
    if (!oldEnd_.empty() && !ReadAt(file_.get(), end, &oldEnd_[0], oldEnd_.size()))
        return Fail(MVWRAP_ARCHIVE_DAMAGED, archive_);
    oldEndAt_ = at;
    oldRecords_ = &records;
    oldCount_ = records.size();
    appending_ = true;
    return Seek(at);
}

// The name is built here rather than by the platform's temp-name call, which
// writes into a fixed MAX_PATH buffer whatever the folder's length.
int32_t ArchiveOutput::Create() {
    std::wstring folder = ArchiveFolder(archive_);
    uint32_t seed = NameSeed();
    for (uint32_t attempt = 0; attempt < 64; ++attempt) {
        std::wstring name =
            folder + kTemporaryPrefix + Hex(seed + attempt * 7919u) + kTemporarySuffix;
        if (CreateNewFile(name, file_)) {
            temporary_ = name;
            return MVWRAP_OK;
        }
        if (!IsExistsError(LastError())) break;
    }
    return Fail(MVWRAP_ARCHIVE_UNWRITABLE, archive_);
}

int32_t ArchiveOutput::Write(const void* data, size_t size) {
    if (!WithinLimits(0, position_ + size)) return TooLarge();
    size_t written = 0;
    if (!WriteNext(file_.get(), data, size, written)) return WriteError();
    // A write that stores fewer bytes than asked has run out of room.
    if (written != size) return Fail(MVWRAP_DISK_FULL, archive_);
    position_ += size;
    return MVWRAP_OK;
}

int32_t ArchiveOutput::WriteRecords(const std::vector<std::string>& records, size_t count) {
    const size_t kPiece = 256 * 1024;
    std::string piece;
    for (size_t i = 0; i < count; ++i) {
        piece += records[i];
        if (piece.size() >= kPiece || i + 1 == count) {
            if (int32_t error = Write(piece)) return error;
            piece.clear();
        }
    }
    return MVWRAP_OK;
}

int32_t ArchiveOutput::Patch(uint64_t at, const std::string& bytes) {
    uint64_t end = position_;
    if (int32_t error = Seek(at)) return error;
    if (int32_t error = Write(bytes)) return error;
    return Seek(end);
}

// A network drive may report a failed write only when the file is closed.
int32_t ArchiveOutput::Commit() {
    if (!CutHere(file_.get())) return WriteError();
    if (!CloseChecked(file_)) return WriteError();
    if (appending_) {
        committed_ = true;
        return MVWRAP_OK;
    }
    if (!ReplacePath(temporary_, archive_)) return Fail(MVWRAP_ARCHIVE_UNWRITABLE, archive_);
    committed_ = true;
    return MVWRAP_OK;
}

int32_t ArchiveOutput::TooLarge() const { return Fail(MVWRAP_TOO_LARGE, archive_); }

int32_t ArchiveOutput::Seek(uint64_t at) {
    if (!MoveTo(file_.get(), at)) return WriteError();
    position_ = at;
    return MVWRAP_OK;
}

int32_t ArchiveOutput::WriteError() const {
    return Fail(IsDiskFullError(LastError()) ? MVWRAP_DISK_FULL : MVWRAP_ARCHIVE_UNWRITABLE,
                archive_);
}

}  // namespace mvwrap
