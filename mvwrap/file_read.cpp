#include "file_read.h"

#include <algorithm>

namespace mvwrap {

void FileRead::Start(const std::wstring& path, uint64_t listed) {
    path_ = &path;
    listed_ = listed;
    Reset();
}

void FileRead::Reset() {
    error = 0;
    read = 0;
    ended = false;
    made.clear();
    source_.reset();
    next_.reset();
    upTo_ = 0;
}

bool FileRead::Run(CompressorPool& pool, WorkerStream& stream) {
    if (!source_.valid()) {
        if (!OpenToRead(*path_, source_)) {
            error = LastError();
            return true;
        }
    }
    do {
        if (!ReadBlock(pool)) {
            error = LastError();
            source_.reset();
            return true;
        }
    } while (!ended && read < upTo_);
    // The file's last block is compressed by the worker that read it: for a
    // small file, its only block, which saves a trip through the queue.
    if (ended && !made.empty() && made.back()->last) pool.RunHere(*made.back(), stream);
    return true;
}

// A read shorter than asked is the file's end, unless the file is still
// shorter than the listing said: then one more read must find nothing.
bool FileRead::ReadBlock(CompressorPool& pool) {
    uint64_t left = listed_ > read ? listed_ - read : 0;
    size_t want = static_cast<size_t>(std::min<uint64_t>(kBlockSize, left + 1));
    std::unique_ptr<Block> block(new Block);
    std::vector<unsigned char>& raw = block->raw;
    raw.resize(want);
    size_t got = 0;
    bool end = false;
    for (;;) {
        size_t count = 0;
        if (!ReadNext(source_.get(), raw.data() + got, want - got, count)) return false;
        got += count;
        if (got == kBlockSize) break;
        if (count == 0 || (got < want && read + got >= listed_)) {
            end = true;
            break;
        }
        if (got == want) {
            // Longer than listed: the block is filled on to its full size.
            want = kBlockSize;
            raw.resize(want);
        }
    }
    raw.resize(got);
    read += got;
    if (got > 0) {
        if (next_) {
            const std::vector<unsigned char>& before = next_->raw;
            block->dictionary.assign(before.end() - std::min(before.size(), kDictionarySize),
                                     before.end());
            Hand(pool, std::move(next_), false);
        }
        next_ = std::move(block);
    }
    if (end) {
        if (next_) Hand(pool, std::move(next_), true);
        ended = true;
        source_.reset();
    }
    return true;
}

// Blocks go ahead of the reading of other files, in the order they were
// read: finishing the files already read frees their memory sooner than
// reading more would. The last one waits for the end of the task (see Run).
void FileRead::Hand(CompressorPool& pool, std::unique_ptr<Block> block, bool last) {
    block->last = last;
    made.push_back(std::move(block));
    if (!last) pool.Submit(made.back().get(), true);
}

}  // namespace mvwrap
