#include "zip_reader.h"

#include <zlib.h>

#include <algorithm>
#include <new>

#include "file_system.h"
#include "text_codes.h"
#include "zip_format.h"

namespace mvwrap {

namespace {

// The end record and the largest comment that may follow it.
const uint64_t kLongestTail = kEndRecordSize + 0xFFFF;
// The longest central record: its fixed part and three 16-bit lengths.
const uint64_t kLongestRecord = kCentralHeaderSize + 3 * 0xFFFF;
// The central directory is read in pieces of this size, so that a damaged
// end record claiming a huge directory costs no more memory than this.
const size_t kPieceSize = 64 * 1024;

// Reads the central directory front to back in bounded pieces.
class DirectoryReader {
public:
    DirectoryReader(NativeFile file, uint64_t start, uint64_t size)
        : file_(file), next_(start), left_(size) {}

    bool Take(size_t size, std::string& out) {
        out.clear();
        while (out.size() < size) {
            if (at_ == piece_.size() && !Refill()) return false;
            size_t chunk = std::min(size - out.size(), piece_.size() - at_);
            out.append(piece_, at_, chunk);
            at_ += chunk;
        }
        return true;
    }

    bool AtEnd() const { return at_ == piece_.size() && left_ == 0; }

private:
    bool Refill() {
        if (left_ == 0) return false;
        piece_.resize(static_cast<size_t>(std::min<uint64_t>(left_, kPieceSize)));
        if (!ReadAt(file_, next_, &piece_[0], piece_.size())) return false;
        next_ += piece_.size();
        left_ -= piece_.size();
        at_ = 0;
        return true;
    }

    NativeFile file_;
    uint64_t next_;
    uint64_t left_;
    std::string piece_;
    size_t at_ = 0;
};

bool ReadRecords(NativeFile archive, const CentralDirectory& directory,
                 std::vector<StoredEntry>& entries) {
    // Every entry takes a central record and, before the directory, a local
    // header: a declared size or offset that cannot hold them is damage.
    uint64_t count = directory.entries;
    if (directory.size < count * kCentralHeaderSize || directory.size > count * kLongestRecord ||
        directory.offset < count * kLocalHeaderSize)
        return false;
    DirectoryReader reader(archive, directory.offset, directory.size);
    std::string fixed, rest;
    for (uint64_t i = 0; i < count; ++i) {
        if (!reader.Take(kCentralHeaderSize, fixed) || Read32(fixed, 0) != kCentralSignature ||
            !reader.Take(static_cast<size_t>(CentralRecordLength(fixed) - kCentralHeaderSize),
                         rest))
            return false;
        StoredEntry entry{fixed + rest, 0, 0};
        if (!CentralRecordSound(entry.record)) return false;
        entry.localOffset = RecordLocalOffset(entry.record);
        entries.push_back(std::move(entry));
    }
    return reader.AtEnd();
}

// The flags an entry may carry: the deflate options, the data descriptor and
// UTF-8 names. Anything else (encryption, patched data, masked headers)
// cannot be checked here, so it is not carried over blindly.
const uint16_t kKnownFlags = 0x0002 | 0x0004 | kDescriptorFlag | kUtf8NameFlag;

class Inflater {
public:
    Inflater() { ready_ = inflateInit2(&stream_, -15) == Z_OK; }
    ~Inflater() {
        if (ready_) inflateEnd(&stream_);
    }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    bool ready() const { return ready_; }
    z_stream* get() { return &stream_; }

private:
    z_stream stream_{};
    bool ready_;
};

// Reads an entry's data and checks it against the CRC and sizes of its
// record: stored data as it is, deflated data inflated in fixed buffers. An
// entry that passes is one that other zip readers unpack intact.
bool DataIntact(NativeFile archive, uint64_t at, const std::string& record) {
    const uint16_t method = RecordMethod(record);
    const uint64_t packed = RecordCompressedSize(record), size = RecordSize(record);
    if (method != kStored && method != kDeflated) return false;
    if (method == kStored && packed != size) return false;
    std::vector<unsigned char> in(kPieceSize), out(kPieceSize);
    Inflater inflater;
    if (method == kDeflated && !inflater.ready()) throw std::bad_alloc();
    z_stream* stream = inflater.get();
    uint32_t crc = crc32(0, nullptr, 0);
    uint64_t read = 0, produced = 0;
    auto take = [&](const unsigned char* data, size_t length) {
        crc = crc32(crc, data, static_cast<uInt>(length));
        produced += length;
        return produced <= size;
    };
    for (bool ended = false; !ended;) {
        if (stream->avail_in == 0 && read < packed) {
            size_t chunk = static_cast<size_t>(std::min<uint64_t>(packed - read, in.size()));
            if (!ReadAt(archive, at + read, in.data(), chunk)) return false;
            read += chunk;
            if (method == kStored) {
                if (!take(in.data(), chunk)) return false;
                continue;
            }
            stream->next_in = in.data();
            stream->avail_in = static_cast<uInt>(chunk);
        }
        if (method == kStored) break;
        stream->next_out = out.data();
        stream->avail_out = static_cast<uInt>(out.size());
        int result = inflate(stream, Z_NO_FLUSH);
        if (result == Z_MEM_ERROR) throw std::bad_alloc();
        // Z_BUF_ERROR: the stream wants input that the entry does not have.
        if (result != Z_OK && result != Z_STREAM_END) return false;
        if (!take(out.data(), out.size() - stream->avail_out)) return false;
        ended = result == Z_STREAM_END;
        if (ended && (stream->avail_in > 0 || read < packed)) return false;
    }
    return produced == size && crc == RecordCrc(record);
}

bool SameFields(const std::string& local, size_t at, const std::string& record) {
    return Read32(local, at) == RecordCrc(record) &&
           Read32(local, at + 4) == RecordCompressedSize(record) &&
           Read32(local, at + 8) == RecordSize(record);
}

// Checks an entry's local header and data descriptor against its central
// record and sets the entry's length. All offsets are 64-bit: 32-bit sums of
// a large size and a header wrap around.
bool CheckLocalPart(NativeFile archive, uint64_t directoryOffset, StoredEntry& entry) {
    const std::string& record = entry.record;
    std::string local(kLocalHeaderSize, '\0');
    if (entry.localOffset + kLocalHeaderSize > directoryOffset ||
        !ReadAt(archive, entry.localOffset, &local[0], local.size()) ||
        Read32(local, 0) != kLocalSignature)
        return false;
    uint16_t flags = Read16(local, 6);
    if (flags != RecordFlags(record) || (flags & ~kKnownFlags) ||
        (Read16(local, 4) & 0xFF) > kNewestVersionNeeded ||
        Read16(local, 8) != RecordMethod(record))
        return false;
    uint64_t nameAt = entry.localOffset + kLocalHeaderSize;
    uint64_t dataAt = nameAt + Read16(local, 26) + Read16(local, 28);
    uint64_t dataEnd = dataAt + RecordCompressedSize(record);
    if (dataEnd > directoryOffset) return false;
    std::string nameAndExtra(static_cast<size_t>(dataAt - nameAt), '\0');
    if (!nameAndExtra.empty() && !ReadAt(archive, nameAt, &nameAndExtra[0], nameAndExtra.size()))
        return false;
    if (nameAndExtra.substr(0, Read16(local, 26)) != RecordName(record) ||
        !ExtraFieldSound(nameAndExtra.substr(Read16(local, 26))))
        return false;
    entry.length = dataEnd - entry.localOffset;
    if (!DataIntact(archive, dataAt, record)) return false;
    if (!(flags & kDescriptorFlag)) return SameFields(local, 14, record);
    // A streamed entry may leave its local sizes zero; its descriptor, with
    // or without a signature, holds what the central record says.
    bool zeros = Read32(local, 14) == 0 && Read32(local, 18) == 0 && Read32(local, 22) == 0;
    if (!zeros && !SameFields(local, 14, record)) return false;
    std::string descriptor(16, '\0');
    uint64_t room = std::min<uint64_t>(16, directoryOffset - dataEnd);
    if (room < 12 || !ReadAt(archive, dataEnd, &descriptor[0], static_cast<size_t>(room)))
        return false;
    if (room == 16 && Read32(descriptor, 0) == kDescriptorSignature &&
        SameFields(descriptor, 4, record)) {
        entry.length += 16;
        return true;
    }
    entry.length += 12;
    return SameFields(descriptor, 0, record);
}

bool ReadCheckedArchive(NativeFile archive, std::vector<StoredEntry>& entries,
                        uint64_t& directoryOffset) {
    uint64_t length = 0;
    if (!FileLength(archive, length)) return false;
    if (length > kMaxArchiveBytes) return false;
    uint64_t tailOffset = length - std::min(length, kLongestTail);
    std::string tail(static_cast<size_t>(length - tailOffset), '\0');
    if (tail.empty() || !ReadAt(archive, tailOffset, &tail[0], tail.size())) return false;
    CentralDirectory directory;
    if (!ReadEndRecord(tail, tailOffset, directory) || !ReadRecords(archive, directory, entries))
        return false;
    directoryOffset = directory.offset;
    for (StoredEntry& entry : entries)
        if (!CheckLocalPart(archive, directory.offset, entry)) return false;
    // Entries in the order of their data: none may reach into the next, and
    // no two may share one local header.
    std::vector<const StoredEntry*> byOffset;
    for (const StoredEntry& entry : entries) byOffset.push_back(&entry);
    std::sort(byOffset.begin(), byOffset.end(), [](const StoredEntry* a, const StoredEntry* b) {
        return a->localOffset < b->localOffset;
    });
    for (size_t i = 1; i < byOffset.size(); ++i)
        if (byOffset[i - 1]->localOffset + byOffset[i - 1]->length > byOffset[i]->localOffset)
            return false;
    return true;
}

}  // namespace

bool ReadArchive(NativeFile archive, std::vector<StoredEntry>& entries, uint64_t* directoryOffset) {
    entries.clear();
    uint64_t offset = 0;
    if (ReadCheckedArchive(archive, entries, offset)) {
        if (directoryOffset) *directoryOffset = offset;
        return true;
    }
    entries.clear();
    return false;
}

std::wstring EntryName(const std::string& record) {
    std::string stored = RecordName(record);
    std::wstring name = (RecordFlags(record) & kUtf8NameFlag) ? FromUtf8(stored) : FromDos(stored);
    for (wchar_t& c : name)
        if (c == L'/') c = L'\\';
    return name;
}

}  // namespace mvwrap
