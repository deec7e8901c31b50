#include "entry_writer.h"

#include <zlib.h>

#include <algorithm>

#include "dos_time.h"
#include "failures.h"
#include "file_system.h"
#include "local_time.h"
#include "text_codes.h"
#include "threads.h"
#include "zip_format.h"
#include "zip_reader.h"

namespace mvwrap {

namespace {

// The outcome of a failed open or read: locked files are retried before they
// count as a failure, so their subject is recorded by the caller once it
// gives up.
int32_t SourceError(const FoundFile& file, SystemError code) {
    if (IsLockedError(code)) return MVWRAP_FILE_LOCKED;
    return Fail(MVWRAP_FILE_UNREADABLE, file.path);
}

int32_t SourceError(const FoundFile& file) { return SourceError(file, LastError()); }

DosTime LocalDosTime(uint64_t time, LocalTimes& times) {
    uint64_t local = 0;
    if (!times.Convert(time, local)) return ToDosTime({1980, 1, 1, 0, 0, 0});
    return ToDosTime(CalendarOf(local));
}

// The header of a new entry, sizes still zero. The access time field carries
// the last-write time too: reading a file changes its access time, and two
// runs over unchanged files must give the same archive.
EntryHeader HeaderFor(const FoundFile& file, LocalTimes& times) {
    EntryHeader header;
    std::wstring name = file.name;
    for (wchar_t& c : name)
        if (c == L'\\') c = L'/';
    header.name = ToUtf8(name);
    if (!IsAscii(header.name)) header.flags |= kUtf8NameFlag;
    DosTime dos = LocalDosTime(file.written, times);
    header.dosTime = dos.time;
    header.dosDate = dos.date;
    header.extra = NtfsTimesExtra(file.written, file.written, file.created);
    return header;
}

// Bytes read and not yet written: enough to keep every worker busy and to
// hold a file of kHeldFileSize bytes whole, few enough that memory stays
// flat (each block holds its data and at most as much compressed). The file
// being written may read on by as much again, so that files read ahead
// never keep it waiting. Every file counts for some bytes besides its data,
// and only so many are read ahead, however small.
const uint64_t kBytesInFlight = 24 * kBlockSize;
const uint64_t kEntryCharge = 1024;
const size_t kFilesInFlight = 2048;

}  // namespace

EntryWriter::EntryWriter(ArchiveOutput& output, int level, RetryPolicy retry, int workers)
    : output_(output), level_(level), retry_(retry), workers_(workers) {}

// The workers are started on first need, and only once: a call that fails
// to start them fails when it comes to writing, after whatever failure the
// search met.
bool EntryWriter::Started() {
    if (!pool_) {
        pool_.reset(new CompressorPool(workers_, level_));
        started_ = pool_->Start();
    }
    return started_;
}

// Nothing is written while the search goes on, so what the workers finish
// stays in memory with its compressed bytes: half the budget keeps them busy
// for far longer than listing a folder takes.
void EntryWriter::ReadAhead(const std::deque<FoundFile>& files) {
    if (Started()) AdmitMore(files, kBytesInFlight / 2);
}

// Hands the workers files while fewer than `budget` bytes are in flight;
// whether it handed any.
bool EntryWriter::AdmitMore(const std::deque<FoundFile>& files, uint64_t budget) {
    const size_t was = next_;
    while (next_ < files.size() && inFlight_ < budget && pending_.size() < kFilesInFlight)
        Admit(files[next_++]);
    return next_ != was;
}

// The workers read and compress while this thread writes each entry as soon
// as it and every entry before it are done.
int32_t EntryWriter::AddAll(const std::deque<FoundFile>& files, std::vector<std::string>& records) {
    if (!Started()) return Fail(MVWRAP_NO_MEMORY, L"");
    for (;;) {
        bool moved = false;
        while (!pending_.empty()) {
            Pending& front = pending_.front();
            if (int32_t error = Collect(front)) return error;
            bool finished = false;
            std::string record;
            if (int32_t error = WriteReady(front, finished, record)) return error;
            if (!finished) {
                ReadOn(front);
                break;
            }
            records.push_back(std::move(record));
            Release(front, front.charged);
            pending_.pop_front();
            moved = true;
        }
        if (pending_.empty() && next_ == files.size()) return MVWRAP_OK;
        if (AdmitMore(files, kBytesInFlight)) moved = true;
        if (!moved) Wait();
    }
}

// While many small files are read whole, the caller waits for one some way
// ahead, and then writes all those done before it in one go; a file read in
// blocks needs the caller after each read.
void EntryWriter::Wait() {
    const size_t kAhead = 32;
    // Only with many files in flight and room left in the budget: otherwise
    // the writing must free the budget as soon as it can, or the workers run
    // dry.
    if (pending_.size() > 4 * kAhead && inFlight_ < kBytesInFlight / 2 && pending_.front().queued &&
        !pending_.front().streaming) {
        for (size_t i = std::min(pending_.size(), kAhead); i-- > 0;) {
            if (pending_[i].queued && !pending_[i].streaming) {
                pool_->WaitFor(&pending_[i].reading);
                return;
            }
        }
    }
    pool_->WaitForAny();
}

// A file listed as small enough to hold is read whole by one worker; a
// larger one a block at a time, as the writing takes them.
void EntryWriter::Admit(const FoundFile& file) {
    pending_.emplace_back();
    Pending& added = pending_.back();
    added.file = &file;
    added.header = HeaderFor(file, times_);
    added.charged = kEntryCharge;
    inFlight_ += kEntryCharge;
    if (file.IsFolder()) {
        added.readDone = true;
        return;
    }
    // A size of all ones would need zip64: such a file is refused unread,
    // in its turn.
    if (file.size > kMaxEntryBytes) {
        added.tooLarge = true;
        return;
    }
    added.reading.Start(file.path, file.size);
    Request(added, false, 1);
}

// A file read a block at a time asks for `blocks` of them in one go.
void EntryWriter::Request(Pending& pending, bool first, uint64_t blocks) {
    const bool whole = !pending.streaming && pending.file->size <= kHeldFileSize;
    pending.reading.ReadUpTo(whole ? kHeldFileSize + 1 : pending.read + blocks * kBlockSize);
    const uint64_t charge = whole ? pending.file->size : blocks * kBlockSize;
    pending.charged += charge;
    inFlight_ += charge;
    pending.queued = true;
    pool_->Submit(&pending.reading, first);
}

// Takes what a finished read brought. Its blocks are taken first, even when
// it failed: the workers may still be compressing them.
int32_t EntryWriter::Collect(Pending& pending) {
    if (pending.tooLarge) return output_.TooLarge();
    if (!pending.queued || !pool_->Done(&pending.reading)) return MVWRAP_OK;
    pending.queued = false;
    FileRead& reading = pending.reading;
    for (std::unique_ptr<Block>& block : reading.made) pending.blocks.push_back(std::move(block));
    reading.made.clear();
    if (reading.failed) return Fail(MVWRAP_NO_MEMORY, L"");
    if (reading.error) return Retry(pending, SourceError(*pending.file, reading.error));
    pending.read = reading.read;
    if (pending.read > kMaxEntryBytes) return output_.TooLarge();
    if (pending.read > kHeldFileSize) pending.streaming = true;
    pending.readDone = reading.ended;
    return MVWRAP_OK;
}

// The file being written reads on as soon as its last read is in, as many
// blocks as its own share of the budget leaves room for: the workers go on
// compressing while the writing waits for its turn.
void EntryWriter::ReadOn(Pending& front) {
    if (front.readDone || front.queued || front.file->IsFolder()) return;
    uint64_t room =
        front.charged < kBytesInFlight ? (kBytesInFlight - front.charged) / kBlockSize : 0;
    if (room == 0 && !front.blocks.empty()) return;
    Request(front, true, std::max<uint64_t>(room, 1));
}

void EntryWriter::Release(Pending& pending, uint64_t bytes) {
    bytes = std::min(bytes, pending.charged);
    pending.charged -= bytes;
    inFlight_ -= bytes;
}

// A locked file is read again from its start after a pause, until its tries
// are used up: what was read or written of it is dropped first.
int32_t EntryWriter::Retry(Pending& pending, int32_t error) {
    if (error != MVWRAP_FILE_LOCKED) return error;
    for (const std::unique_ptr<Block>& block : pending.blocks)
        while (!pool_->Done(block.get())) pool_->WaitForAny();
    Release(pending, pending.charged);
    pending.blocks.clear();
    pending.reading.Reset();
    pending.readDone = pending.streaming = false;
    pending.read = pending.size = pending.packed = 0;
    pending.header.crc = 0;
    if (pending.started) {
        pending.started = false;
        if (int32_t rewound = output_.Rewind(pending.start)) return rewound;
    }
    if (++pending.tried >= retry_.tries) return Fail(MVWRAP_FILE_LOCKED, pending.file->path);
    PauseSeconds(retry_.seconds);
    Request(pending, true, 1);
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
    // A small file goes out with its header in one write.
    std::string first = LocalHeader(header);
    size_t from = 0;
    if (pending.blocks.size() == 1) {
        const std::vector<unsigned char>& bytes =
            deflated ? pending.blocks[0]->packed : pending.blocks[0]->raw;
        first.append(bytes.begin(), bytes.end());
        from = 1;
    }
    if (int32_t error = output_.Write(first)) return error;
    for (size_t i = from; i < pending.blocks.size(); ++i) {
        const Block& block = *pending.blocks[i];
        const std::vector<unsigned char>& bytes = deflated ? block.packed : block.raw;
        if (int32_t error = output_.Write(bytes.data(), bytes.size())) return error;
    }
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
        Release(pending, kBlockSize);
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
        PauseSeconds(retry_.seconds);
    }
}

int32_t EntryWriter::StoreOnce(Pending& pending) {
    if (int32_t error = output_.Rewind(pending.dataStart)) return error;
    File source;
    if (!OpenToRead(pending.file->path, source)) return SourceError(*pending.file);
    in_.resize(kBlockSize);
    EntryHeader& header = pending.header;
    header.method = kStored;
    header.crc = crc32(0, nullptr, 0);
    pending.size = 0;
    for (;;) {
        size_t read = 0;
        if (!ReadNext(source.get(), in_.data(), in_.size(), read))
            return SourceError(*pending.file);
        if (read == 0) break;
        header.crc = crc32(header.crc, in_.data(), static_cast<uInt>(read));
        pending.size += read;
        if (pending.size > kMaxEntryBytes) return output_.TooLarge();
        if (int32_t error = output_.Write(in_.data(), read)) return error;
    }
    pending.packed = pending.size;
    return MVWRAP_OK;
}

// Copies an entry's local header, data and any data descriptor as they are,
// and moves its central record to the entry's new place.
int32_t EntryWriter::CarryOver(NativeFile archive, const std::wstring& path,
                               const StoredEntry& entry, std::string& record) {
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
