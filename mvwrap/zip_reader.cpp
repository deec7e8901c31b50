#include "zip_reader.h"

#include <algorithm>

#include "text_codes.h"
#include "zip_format.h"

namespace mvwrap {

namespace {

// The end record and the largest comment that may follow it.
const uint64_t kLongestTail = kEndRecordSize + 0xFFFF;

}  // namespace

bool ReadAt(HANDLE file, uint64_t at, void* data, size_t size) {
    LARGE_INTEGER distance;
    distance.QuadPart = static_cast<LONGLONG>(at);
    if (!SetFilePointerEx(file, distance, nullptr, FILE_BEGIN)) return false;
    DWORD read = 0;
    return ReadFile(file, data, static_cast<DWORD>(size), &read, nullptr) && read == size;
}

bool ReadCentralDirectory(HANDLE archive, std::vector<std::string>& records) {
    records.clear();
    LARGE_INTEGER size;
    if (!GetFileSizeEx(archive, &size)) return false;
    uint64_t length = static_cast<uint64_t>(size.QuadPart);
    if (length > kMaxArchiveBytes) return false;
    uint64_t tailOffset = length - std::min(length, kLongestTail);
    std::string tail(static_cast<size_t>(length - tailOffset), '\0');
    if (tail.empty() || !ReadAt(archive, tailOffset, &tail[0], tail.size())) return false;
    CentralDirectory directory;
    if (!ReadEndRecord(tail, tailOffset, directory)) return false;
    std::string bytes(directory.size, '\0');
    if (!bytes.empty() && !ReadAt(archive, directory.offset, &bytes[0], bytes.size())) return false;
    return SplitCentralDirectory(bytes, directory.entries, records);
}

std::wstring EntryName(const std::string& record) {
    std::string stored = RecordName(record);
    std::wstring name = (RecordFlags(record) & kUtf8NameFlag) ? FromUtf8(stored) : FromDos(stored);
    for (wchar_t& c : name)
        if (c == L'/') c = L'\\';
    return name;
}

}  // namespace mvwrap
