#include "archive_output.h"

#include "failures.h"
#include "zip_format.h"

namespace mvwrap {

ArchiveOutput::~ArchiveOutput() {
    if (committed_ || temporary_.empty()) return;
    file_.reset();
    DeleteFileW(temporary_.c_str());
}

int32_t ArchiveOutput::Create() {
    std::wstring::size_type split = archive_.find_last_of(L"\\/");
    std::wstring folder = split == std::wstring::npos ? L"." : archive_.substr(0, split + 1);
    wchar_t name[MAX_PATH];
    if (!GetTempFileNameW(folder.c_str(), L"mvz", 0, name))
        return Fail(MVWRAP_ARCHIVE_UNWRITABLE, archive_);
    temporary_ = name;
    file_.reset(CreateFileW(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr));
    if (!file_.valid()) return Fail(MVWRAP_ARCHIVE_UNWRITABLE, archive_);
    return MVWRAP_OK;
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

int32_t ArchiveOutput::Truncate(uint64_t at) {
    if (int32_t error = Seek(at)) return error;
    if (!SetEndOfFile(file_.get())) return WriteError();
    return MVWRAP_OK;
}

int32_t ArchiveOutput::Commit() {
    file_.reset();
    if (!MoveFileExW(temporary_.c_str(), archive_.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED))
        return Fail(MVWRAP_ARCHIVE_UNWRITABLE, archive_);
    committed_ = true;
    return MVWRAP_OK;
}

int32_t ArchiveOutput::TooLarge() const { return Fail(MVWRAP_TOO_LARGE, archive_); }

int32_t ArchiveOutput::Seek(uint64_t at) {
    LARGE_INTEGER distance;
    distance.QuadPart = static_cast<LONGLONG>(at);
    if (!SetFilePointerEx(file_.get(), distance, nullptr, FILE_BEGIN)) return WriteError();
    position_ = at;
    return MVWRAP_OK;
}

int32_t ArchiveOutput::WriteError() const {
    DWORD code = GetLastError();
    bool full = code == ERROR_DISK_FULL || code == ERROR_HANDLE_DISK_FULL;
    return Fail(full ? MVWRAP_DISK_FULL : MVWRAP_ARCHIVE_UNWRITABLE, archive_);
}

}  // namespace mvwrap
