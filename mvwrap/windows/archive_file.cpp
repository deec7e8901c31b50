// The archive's file calls on Windows: handles opened through file_calls.h,
// positions and lengths with the high parts every Windows since 95 has.
#include "archive_file.h"

#include "file_calls.h"
#include "file_positions.h"

namespace mvwrap {

bool CreateNewFile(const std::wstring& path, File& file) {
    file.reset(OpenPath(path, GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL));
    return file.valid();
}

bool OpenExistingFile(const std::wstring& path, bool write, File& file) {
    const DWORD access = write ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ;
    file.reset(OpenPath(path, access, FILE_SHARE_READ, OPEN_EXISTING, 0));
    return file.valid();
}

bool IsReadOnlyFile(const std::wstring& path) {
    DWORD attributes = PathAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

bool WriteNext(NativeFile file, const void* data, size_t size, size_t& written) {
    DWORD count = 0;
    const bool done = WriteFile(file, data, static_cast<DWORD>(size), &count, nullptr) != 0;
    written = count;
    return done;
}

bool MoveTo(NativeFile file, uint64_t at) {
    return MoveFilePosition(file, int64_t(at), FILE_BEGIN);
}

bool CutHere(NativeFile file) { return SetEndOfFile(file) != 0; }

bool CloseChecked(File& file) { return CloseHandle(file.release()) != 0; }

bool KeepTimes(NativeFile file, FileTimes& times) {
    return GetFileTime(file, &times.created, &times.accessed, &times.written) != 0;
}

bool PutTimesBack(NativeFile file, const FileTimes& times) {
    return SetFileTime(file, &times.created, &times.accessed, &times.written) != 0;
}

uint32_t NameSeed() { return GetTickCount() ^ (GetCurrentProcessId() << 16); }

}  // namespace mvwrap
