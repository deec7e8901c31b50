#include "entry_writer.h"

#include <zlib.h>

#include <algorithm>

#include "dos_time.h"
#include "failures.h"
#include "file_positions.h"
#include "file_system.h"
#include "local_time.h"
#include "text_codes.h"
#include "win_handles.h"
#include "zip_format.h"
#include "zip_reader.h"

namespace mvwrap {

namespace {

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
    SYSTEMTIME local;
    if (!ToLocalTime(time, local)) return ToDosTime({1980, 1, 1, 0, 0, 0});
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

// Blocks read and not yet written: enough to keep every worker busy and to
// hold a file of kHeldFileSize bytes whole, few enough that memory stays
// flat (each block holds its data and at most as much compressed).
const size_t kBlocksInFlight = 24;

}  // namespace

EntryWriter::EntryWriter(ArchiveOutput& output, int level, RetryPolicy retry, int workers)
    : output_(output), level_(level), retry_(retry), workers_(workers) {}

// Reads on this thread while the workers compress, and writes each entry as
// soon as it and every entry before it are done.
int32_t EntryWriter::AddAll(const std::vector<FoundFile>& files,
                            std::vector<std::string>& records) {
    std::deque<Pending> pending;
    // Declared after the blocks it works on, so that it is stopped, and its
    // workers are gone, before any block is freed.
    CompressorPool pool(workers_, level_);
    if (!pool.Start()) return Fail(MVWRAP_NO_MEMORY, L"");
    pool_ = &pool;
    inFlight_ = 0;
    size_t next = 0;
    for (;;) {
        bool moved = false;
        while (!pending.empty()) {
            bool finished = false;
            std::string record;
            if (int32_t error = WriteReady(pending.front(), finished, record)) return error;
            if (!finished) break;
            records.push_back(std::move(record));
            pending.pop_front();
            moved = true;
        }
        if (pending.empty() && next == files.size()) return MVWRAP_OK;
        if (inFlight_ < kBlocksInFlight) {
            if ((pending.empty() || pending.back().readDone) && next < files.size()) {
                pending.emplace_back();
                pending.back().file = &files[next++];
                pending.back().header = HeaderFor(*pending.back().file);
            }
            if (!pending.back().readDone) {
                if (int32_t error = ReadSome(pending.back())) return error;
                continue;
            }
        }
        if (!moved) pool.WaitForAny();
    }
}

int32_t EntryWriter::ReadSome(Pending& pending) {
    if (pending.file->IsFolder()) {
        pending.readDone = true;
        return MVWRAP_OK;
    }
    if (!pending.opened) {
        pending.source.reset(OpenPath(pending.file->path, GENERIC_READ, FILE_SHARE_READ,
                                      OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN));
        if (!pending.source.valid()) return Retry(pending, SourceError(*pending.file));
        pending.opened = true;
    }
    if (int32_t error = ReadBlock(pending)) return Retry(pending, error);
    return MVWRAP_OK;
}

// Reads the next block. A block is handed to the workers only once the one
// after it has been read, so that it is known whether it ends the file, and
// its last 32 KiB can prime the next one.
int32_t EntryWriter::ReadBlock(Pending& pending) {
    uint64_t expected = 0;
    if (!GetFileLength(pending.source.get(), expected)) return SourceError(*pending.file);
    if (expected > kMaxEntryBytes) return output_.TooLarge();
    uint64_t left = expected > pending.read ? expected - pending.read : 0;
    // One byte more than the file should still hold shows its end without
    // another read.
    size_t capacity = static_cast<size_t>(std::min<uint64_t>(kBlockSize, left + 1));
    std::unique_ptr<Block> block(new Block);
    block->raw.resize(capacity);
    size_t got = 0;
    while (got < capacity) {
        DWORD read = 0;
        if (!ReadFile(pending.source.get(), block->raw.data() + got,
                      static_cast<DWORD>(capacity - got), &read, nullptr))
            return SourceError(*pending.file);
        if (read == 0) break;
        got += read;
    }
    block->raw.resize(got);
    pending.read += got;
    if (pending.read > kMaxEntryBytes) return output_.TooLarge();
    if (pending.read > kHeldFileSize) pending.streaming = true;
    bool end = got < capacity;
    if (got > 0) {
        ++inFlight_;
        if (pending.next) {
            const std::vector<unsigned char>& before = pending.next->raw;
            block->dictionary.assign(before.end() - std::min(before.size(), kDictionarySize),
                                     before.end());
            Submit(pending, std::move(pending.next), false);
        }
        pending.next = std::move(block);
    }
    if (end) {
        if (pending.next) Submit(pending, std::move(pending.next), true);
        pending.readDone = true;
        pending.source.reset();
    }
    return MVWRAP_OK;
}

void EntryWriter::Submit(Pending& pending, std::unique_ptr<Block> block, bool last) {
    block->last = last;
    pending.blocks.push_back(std::move(block));
    pool_->Submit(pending.blocks.back().get());
}

// A locked file is read again from its start after a pause, until its tries
// are used up: what was read or written of it is dropped first.
int32_t EntryWriter::Retry(Pending& pending, int32_t error) {
    if (error != MVWRAP_FILE_LOCKED) return error;
    for (const std::unique_ptr<Block>& block : pending.blocks)
        while (!pool_->Done(block.get())) pool_->WaitForAny();
    inFlight_ -= pending.blocks.size() + (pending.next ? 1 : 0);
    pending.blocks.clear();
    pending.next.reset();
    pending.source.reset();
    pending.opened = pending.readDone = pending.streaming = false;
    pending.read = pending.size = pending.packed = 0;
    pending.header.crc = 0;
    if (pending.started) {
        pending.started = false;
        if (int32_t rewound = output_.Rewind(pending.start)) return rewound;
    }
    if (++pending.tried >= retry_.tries) return Fail(MVWRAP_FILE_LOCKED, pending.file->path);
    Sleep(static_cast<DWORD>(retry_.seconds) * 1000);
    return MVWRAP_OK;
}

int32_t EntryWriter::WriteReady(Pending& pending, bool& finished, std::string& record) {
    if (!pending.readDone && !pending.streaming) return MVWRAP_OK;
    if (pending.file->IsFolder()) {
        pending.start = output_.Position();
        if (int32_t error = output_.Write(LocalHeader(pending.header))) return error;
        finished = true;
    } else if (int32_t error = pending.streaming ? WriteStreamed(pending, finished)
                                                 : WriteHeld(pending, finished)) {
        return error;
    }
    if (finished)
        record = CentralHeader(pending.header, ToDosAttributes(pending.file->attributes),
                               static_cast<uint32_t>(pending.start));
    return MVWRAP_OK;
}

// A file held whole: stored from its blocks when deflate did not shrink it.
int32_t EntryWriter::WriteHeld(Pending& pending, bool& finished) {
    for (const std::unique_ptr<Block>& block : pending.blocks)
        if (!pool_->Done(block.get())) return MVWRAP_OK;
    uint32_t crc = crc32(0, nullptr, 0);
    for (const std::unique_ptr<Block>& block : pending.blocks) {
        if (block->failed) return Fail(MVWRAP_NO_MEMORY, L"");
        crc = crc32_combine(crc, block->crc, static_cast<z_off_t>(block->raw.size()));
        pending.size += block->raw.size();
        pending.packed += block->packed.size();
    }
    bool deflated = level_ != 0 && pending.packed < pending.size;
    EntryHeader& header = pending.header;
    header.method = deflated ? kDeflated : kStored;
    header.crc = crc;
    header.size = static_cast<uint32_t>(pending.size);
    header.compressedSize = static_cast<uint32_t>(deflated ? pending.packed : pending.size);
    pending.start = output_.Position();
    if (int32_t error = output_.Write(LocalHeader(header))) return error;
    for (const std::unique_ptr<Block>& block : pending.blocks) {
        const std::vector<unsigned char>& bytes = deflated ? block->packed : block->raw;
        if (int32_t error = output_.Write(bytes.data(), bytes.size())) return error;
    }
    inFlight_ -= pending.blocks.size();
    pending.blocks.clear();
    finished = true;
    return MVWRAP_OK;
}

// A large file: its blocks go to the archive as they are done, behind a
// local header whose sizes are filled in at the end.
int32_t EntryWriter::WriteStreamed(Pending& pending, bool& finished) {
    EntryHeader& header = pending.header;
    if (!pending.started) {
        pending.start = output_.Position();
        if (int32_t error = output_.Write(LocalHeader(header))) return error;
        pending.dataStart = output_.Position();
        pending.started = true;
    }
    while (!pending.blocks.empty() && pool_->Done(pending.blocks.front().get())) {
        const Block& block = *pending.blocks.front();
        if (block.failed) return Fail(MVWRAP_NO_MEMORY, L"");
        header.crc = crc32_combine(header.crc, block.crc, static_cast<z_off_t>(block.raw.size()));
        pending.size += block.raw.size();
        const std::vector<unsigned char>& bytes = level_ != 0 ? block.packed : block.raw;
        if (int32_t error = output_.Write(bytes.data(), bytes.size())) return error;
        pending.packed += bytes.size();
        pending.blocks.pop_front();
        --inFlight_;
    }
    if (!pending.readDone || !pending.blocks.empty()) return MVWRAP_OK;
    header.method = level_ != 0 ? kDeflated : kStored;
    if (level_ != 0 && pending.packed >= pending.size) {
        if (int32_t error = StoreAgain(pending)) return error;
    }
    header.size = static_cast<uint32_t>(pending.size);
    header.compressedSize = static_cast<uint32_t>(pending.packed);
    if (int32_t error = output_.Patch(pending.start, LocalHeader(header))) return error;
    finished = true;
    return MVWRAP_OK;
}

// A large file that deflate did not shrink is read once more and stored:
// holding it whole to store it from memory would cost memory in proportion
// to its size. Files after it may have been read already, so a lock met
// here is waited out here.
int32_t EntryWriter::StoreAgain(Pending& pending) {
    for (int tried = 1;; ++tried) {
        int32_t result = StoreOnce(pending);
        if (result != MVWRAP_FILE_LOCKED) return result;
        if (tried >= retry_.tries) return Fail(MVWRAP_FILE_LOCKED, pending.file->path);
        Sleep(static_cast<DWORD>(retry_.seconds) * 1000);
    }
}

int32_t EntryWriter::StoreOnce(Pending& pending) {
    if (int32_t error = output_.Rewind(pending.dataStart)) return error;
    FileHandle source(OpenPath(pending.file->path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING,
                               FILE_FLAG_SEQUENTIAL_SCAN));
    if (!source.valid()) return SourceError(*pending.file);
    in_.resize(kBlockSize);
    EntryHeader& header = pending.header;
    header.method = kStored;
    header.crc = crc32(0, nullptr, 0);
    pending.size = 0;
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(source.get(), in_.data(), static_cast<DWORD>(in_.size()), &read, nullptr))
            return SourceError(*pending.file);
        if (read == 0) break;
        header.crc = crc32(header.crc, in_.data(), read);
        pending.size += read;
        if (pending.size > kMaxEntryBytes) return output_.TooLarge();
        if (int32_t error = output_.Write(in_.data(), read)) return error;
    }
    pending.packed = pending.size;
    return MVWRAP_OK;
}

// Copies an entry's local header, data and any data descriptor as they are,
// and moves its central record to the entry's new place.
int32_t EntryWriter::CarryOver(HANDLE archive, const std::wstring& path, const StoredEntry& entry,
                               std::string& record) {
    record = entry.record;
    SetRecordLocalOffset(record, static_cast<uint32_t>(output_.Position()));
    in_.resize(kBlockSize);
    for (uint64_t done = 0; done < entry.length;) {
        size_t chunk = static_cast<size_t>(std::min<uint64_t>(entry.length - done, in_.size()));
        if (!ReadAt(archive, entry.localOffset + done, in_.data(), chunk))
            return Fail(MVWRAP_ARCHIVE_DAMAGED, path);
        if (int32_t error = output_.Write(in_.data(), chunk)) return error;
        done += chunk;
    }
    return MVWRAP_OK;
}

}  // namespace mvwrap
