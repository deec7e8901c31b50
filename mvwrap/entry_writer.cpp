#include "entry_writer.h"

#include <zlib.h>

#include <algorithm>

#include "dos_time.h"
#include "failures.h"
#include "text_codes.h"
#include "win_handles.h"
#include "zip_format.h"
#include "zip_reader.h"

namespace mvwrap {

namespace {

const size_t kBufferSize = 64 * 1024;

// A file another program holds open, or has locked a part of: worth a retry.
bool Locked(DWORD code) { return code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION; }

// The outcome of a failed read: locked files are retried before they count
// as a failure, so their subject is recorded by the caller once it gives up.
int32_t SourceError(const FoundFile& file) {
    if (Locked(GetLastError())) return MVWRAP_FILE_LOCKED;
    return Fail(MVWRAP_FILE_UNREADABLE, file.path);
}

uint64_t Ticks(const FILETIME& time) {
    return static_cast<uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

DosTime LocalDosTime(const FILETIME& time) {
    SYSTEMTIME universal, local;
    if (!FileTimeToSystemTime(&time, &universal) ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local))
        return ToDosTime({1980, 1, 1, 0, 0, 0});
    return ToDosTime(
        {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond});
}

// The header of a new entry, sizes still zero. The access time field carries
// the last-write time too: reading a file changes its access time, and two
// runs over unchanged files must give the same archive.
EntryHeader HeaderFor(const FoundFile& file) {
    EntryHeader header;
    std::wstring name = file.name;
    for (wchar_t& c : name)
        if (c == L'\\') c = L'/';
    header.name = ToUtf8(name);
    if (!IsAscii(header.name)) header.flags |= kUtf8NameFlag;
    DosTime dos = LocalDosTime(file.written);
    header.dosTime = dos.time;
    header.dosDate = dos.date;
    header.extra = NtfsTimesExtra(Ticks(file.written), Ticks(file.written), Ticks(file.created));
    return header;
}

class Deflater {
public:
    explicit Deflater(int level) {
        ready_ = deflateInit2(&stream_, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) == Z_OK;
    }
    ~Deflater() {
        if (ready_) deflateEnd(&stream_);
    }
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;

    bool ready() const { return ready_; }
    z_stream* get() { return &stream_; }

private:
    z_stream stream_{};
    bool ready_;
};

}  // namespace

EntryWriter::EntryWriter(ArchiveOutput& output, int level, RetryPolicy retry)
    : output_(output), level_(level), retry_(retry), in_(kBufferSize), out_(kBufferSize) {}

int32_t EntryWriter::Add(const FoundFile& file, std::string& record) {
    EntryHeader header = HeaderFor(file);
    uint64_t start = output_.Position();
    if (int32_t error = output_.Write(LocalHeader(header))) return error;
    uint8_t attributes = ToDosAttributes(file.attributes);
    if (file.IsFolder()) {
        record = CentralHeader(header, attributes, static_cast<uint32_t>(start));
        return MVWRAP_OK;
    }
    uint64_t dataStart = output_.Position(), size = 0, packed = 0;
    for (int tried = 1;; ++tried) {
        int32_t result = TryData(file, dataStart, header.crc, size, packed, header.method);
        if (result != MVWRAP_FILE_LOCKED) {
            if (result != MVWRAP_OK) return result;
            break;
        }
        if (tried >= retry_.tries) return Fail(MVWRAP_FILE_LOCKED, file.path);
        Sleep(static_cast<DWORD>(retry_.seconds) * 1000);
    }
    header.size = static_cast<uint32_t>(size);
    header.compressedSize = static_cast<uint32_t>(packed);
    if (int32_t error = output_.Patch(start, LocalHeader(header))) return error;
    record = CentralHeader(header, attributes, static_cast<uint32_t>(start));
    return MVWRAP_OK;
}

// One try at a file's data: compressed first, and stored again from the
// start when compressing did not make it smaller.
int32_t EntryWriter::TryData(const FoundFile& file, uint64_t dataStart, uint32_t& crc,
                             uint64_t& size, uint64_t& packed, uint16_t& method) {
    if (int32_t error = output_.Truncate(dataStart)) return error;
    FileHandle source(CreateFileW(file.path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!source.valid()) return SourceError(file);
    if (level_ != 0) {
        if (int32_t error = Deflate(source.get(), file, crc, size)) return error;
        packed = output_.Position() - dataStart;
        method = kDeflated;
        if (packed < size) return MVWRAP_OK;
        if (int32_t error = output_.Truncate(dataStart)) return error;
        LARGE_INTEGER start{};
        if (!SetFilePointerEx(source.get(), start, nullptr, FILE_BEGIN)) return SourceError(file);
    }
    if (int32_t error = Store(source.get(), file, crc, size)) return error;
    packed = size;
    method = kStored;
    return MVWRAP_OK;
}

int32_t EntryWriter::Deflate(HANDLE source, const FoundFile& file, uint32_t& crc, uint64_t& size) {
    Deflater deflater(level_);
    if (!deflater.ready()) return Fail(MVWRAP_NO_MEMORY, L"");
    z_stream* stream = deflater.get();
    crc = crc32(0, nullptr, 0);
    size = 0;
    int flush = Z_NO_FLUSH;
    while (flush != Z_FINISH) {
        DWORD read = 0;
        if (!ReadFile(source, in_.data(), kBufferSize, &read, nullptr)) return SourceError(file);
        crc = crc32(crc, in_.data(), read);
        size += read;
        if (!WithinLimits(0, size)) return output_.TooLarge();
        flush = read == 0 ? Z_FINISH : Z_NO_FLUSH;
        stream->next_in = in_.data();
        stream->avail_in = read;
        do {
            stream->next_out = out_.data();
            stream->avail_out = kBufferSize;
            deflate(stream, flush);
            if (int32_t error = output_.Write(out_.data(), kBufferSize - stream->avail_out))
                return error;
        } while (stream->avail_out == 0);
    }
    return MVWRAP_OK;
}

int32_t EntryWriter::Store(HANDLE source, const FoundFile& file, uint32_t& crc, uint64_t& size) {
    crc = crc32(0, nullptr, 0);
    size = 0;
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(source, in_.data(), kBufferSize, &read, nullptr)) return SourceError(file);
        if (read == 0) return MVWRAP_OK;
        crc = crc32(crc, in_.data(), read);
        size += read;
        if (int32_t error = output_.Write(in_.data(), read)) return error;
    }
}

// Copies an entry's local header, data and any data descriptor as they are,
// and moves its central record to the entry's new place.
int32_t EntryWriter::CarryOver(HANDLE archive, const std::wstring& path, const StoredEntry& entry,
                               std::string& record) {
    record = entry.record;
    SetRecordLocalOffset(record, static_cast<uint32_t>(output_.Position()));
    for (uint64_t done = 0; done < entry.length;) {
        size_t chunk = static_cast<size_t>(std::min<uint64_t>(entry.length - done, kBufferSize));
        if (!ReadAt(archive, entry.localOffset + done, in_.data(), chunk))
            return Fail(MVWRAP_ARCHIVE_DAMAGED, path);
        if (int32_t error = output_.Write(in_.data(), chunk)) return error;
        done += chunk;
    }
    return MVWRAP_OK;
}

}  // namespace mvwrap
