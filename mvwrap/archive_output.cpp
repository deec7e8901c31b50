#include "archive_output.h"

#include <wchar.h>

#include "failures.h"
#include "file_calls.h"
#include "file_positions.h"
#include "file_system.h"
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

}  // namespace

std::wstring ArchiveFolder(const std::wstring& archive) {
    std::wstring::size_type split = archive.find_last_of(L"\\/:");
    return split == std::wstring::npos ? std::wstring() : archive.substr(0, split + 1);
}

bool IsTemporaryName(const std::wstring& name) {
    const size_t prefix = 3, suffix = 4;
    if (name.size() < prefix + 1 + suffix || name.size() > prefix + 8 + suffix) return false;
    if (_wcsnicmp(name.c_str(), kTemporaryPrefix, prefix) != 0 ||
        _wcsicmp(name.c_str() + name.size() - suffix, kTemporarySuffix) != 0)
        return false;
    for (size_t i = prefix; i < name.size() - suffix; ++i)
        if (!iswxdigit(name[i])) return false;
    return true;
}

void RemoveLeftoverTemporaries(const std::wstring& archive) {
    std::wstring folder = ArchiveFolder(archive);
    WIN32_FIND_DATAW data;
    FindHandle search(FindFirst(folder + kTemporaryPrefix + L"*" + kTemporarySuffix, data));
    if (!search.valid()) return;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsTemporaryName(data.cFileName))
            RemoveFile(folder + data.cFileName);
    } while (FindNext(search.get(), data));
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
    if (Seek(oldEndAt_) == MVWRAP_OK && Write(oldEnd_) == MVWRAP_OK) SetEndOfFile(file_.get());
    SetFileTime(file_.get(), &oldTimes_[0], &oldTimes_[1], &oldTimes_[2]);
}

int32_t ArchiveOutput::Append(FileHandle archive, uint64_t at, uint64_t length) {
    file_ = std::move(archive);
    if (at > length || length - at > 0x7FFFFFFF ||
        !GetFileTime(file_.get(), &oldTimes_[0], &oldTimes_[1], &oldTimes_[2]))
        return Fail(MVWRAP_ARCHIVE_UNWRITABLE, archive_);
    oldEnd_.resize(static_cast<size_t>(length - at));
    if (!oldEnd_.empty() && !ReadAt(file_.get(), at, &oldEnd_[0], oldEnd_.size()))
        return Fail(MVWRAP_ARCHIVE_DAMAGED, archive_);
    oldEndAt_ = at;
    appending_ = true;
    return Seek(at);
}

// The name is built here rather than by the platform's temp-name call, which
// writes into a fixed MAX_PATH buffer whatever the folder's length.
int32_t ArchiveOutput::Create() {
    std::wstring folder = ArchiveFolder(archive_);
    uint32_t seed = GetTickCount() ^ (GetCurrentProcessId() << 16);
    for (uint32_t attempt = 0; attempt < 64; ++attempt) {
        std::wstring name =
            folder + kTemporaryPrefix + Hex(seed + attempt * 7919u) + kTemporarySuffix;
        file_.reset(OpenPath(name, GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL));
        if (file_.valid()) {
            temporary_ = name;
            return MVWRAP_OK;
        }
        DWORD code = GetLastError();
        if (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) break;
    }
    return Fail(MVWRAP_ARCHIVE_UNWRITABLE, archive_);
}

int32_t ArchiveOutput::Write(const void* data, size_t size) {
    if (!WithinLimits(0, position_ + size)) return TooLarge();
    DWORD written = 0;
    if (!WriteFile(file_.get(), data, static_cast<DWORD>(size), &written, nullptr))
        return WriteError();
    // A write that stores fewer bytes than asked has run out of room.
    if (written != size) return Fail(MVWRAP_DISK_FULL, archive_);
    position_ += size;
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
    if (!SetEndOfFile(file_.get())) return WriteError();
    if (!CloseHandle(file_.release())) return WriteError();
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
    if (!MoveFilePosition(file_.get(), int64_t(at), FILE_BEGIN)) return WriteError();
    position_ = at;
    return MVWRAP_OK;
}

int32_t ArchiveOutput::WriteError() const {
    DWORD code = GetLastError();
    bool full = code == ERROR_DISK_FULL || code == ERROR_HANDLE_DISK_FULL;
    return Fail(full ? MVWRAP_DISK_FULL : MVWRAP_ARCHIVE_UNWRITABLE, archive_);
}

}  // namespace mvwrap
