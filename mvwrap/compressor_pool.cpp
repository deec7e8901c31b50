#include "compressor_pool.h"

#include <zlib.h>

#include <stdlib.h>

#include <algorithm>
#include <cstddef>
#include <new>

namespace mvwrap {

// Stops a worker's deflate stream however the worker ends.
class WorkerStream {
public:
    explicit WorkerStream(int level) {
        ready_ = level == 0 ||
                 deflateInit2(&stream_, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) == Z_OK;
        initialised_ = level != 0 && ready_;
    }
    ~WorkerStream() {
        if (initialised_) deflateEnd(&stream_);
    }
    WorkerStream(const WorkerStream&) = delete;
    WorkerStream& operator=(const WorkerStream&) = delete;

    bool ready() const { return ready_; }
    z_stream* get() { return initialised_ ? &stream_ : nullptr; }

private:
    z_stream stream_{};
    bool ready_;
    bool initialised_;
};

namespace {

// Whether a block's bytes are spread so evenly over all 256 values that
// deflate cannot shrink it: compressed or random data, which takes deflate
// as long as text and comes out no smaller. The measure is the chi-square
// distance from an even spread, in integers so that every thread finds the
// same: below n / 128 it bounds what any coding of single bytes could save
// to under 0.1 %. Short blocks never pass (even random ones score about
// 255), so small files are always deflated.
bool LooksIncompressible(const std::vector<unsigned char>& data) {
    const uint64_t n = data.size();
    if (n < 64 * 1024) return false;
    uint32_t counts[256] = {};
    for (unsigned char byte : data) ++counts[byte];
    uint64_t distance = 0;
    for (uint32_t count : counts) {
        int64_t off = 256 * int64_t(count) - int64_t(n);
        distance += uint64_t(off * off);
    }
    // chi-square = distance / (256 n) < n / 128
    return distance < 2 * n * n;
}

// The block as stored deflate blocks: on a byte boundary at both ends, so
// it joins the blocks around it like a sync-flushed one.
void StoreBlocks(Block& block) {
    const size_t kLongestStored = 0xFFFF;
    const std::vector<unsigned char>& raw = block.raw;
    block.packed.clear();
    block.packed.reserve(raw.size() + 5 * (raw.size() / kLongestStored + 1));
    for (size_t at = 0; at < raw.size();) {
        size_t length = std::min(kLongestStored, raw.size() - at);
        bool final = block.last && at + length == raw.size();
        unsigned char header[5] = {
            static_cast<unsigned char>(final ? 1 : 0), static_cast<unsigned char>(length & 0xFF),
            static_cast<unsigned char>(length >> 8), static_cast<unsigned char>(~length & 0xFF),
            static_cast<unsigned char>((~length >> 8) & 0xFF)};
        block.packed.insert(block.packed.end(), header, header + 5);
        block.packed.insert(block.packed.end(), raw.begin() + at, raw.begin() + at + length);
        at += length;
    }
}

}  // namespace

int WorkerCount() {
    const std::string text = EnvironmentValue("MVWRAP_THREADS");
    if (!text.empty()) {
        int asked = atoi(text.c_str());
        if (asked >= 1 && asked <= kMaxWorkers) return asked;
    }
    int processors = ProcessorCount();
    return processors < 1 ? 1 : processors > kMaxWorkers ? kMaxWorkers : processors;
}

CompressorPool::CompressorPool(int workers, int level)
    : workers_(workers), level_(level), threads_(Run, this) {}

CompressorPool::~CompressorPool() { Stop(); }

bool CompressorPool::Start() {
    return queued_.ready() && finished_.ready() && threads_.Start(workers_);
}

void CompressorPool::Submit(Task* task, bool first) {
    lock_.Enter();
    try {
        task->done = false;
        if (first)
            queue_.insert(queue_.begin() + static_cast<std::ptrdiff_t>(urgent_++), task);
        else
            queue_.push_back(task);
    } catch (...) {
        lock_.Leave();
        throw;
    }
    const bool wake = idle_ > 0;
    if (wake) --idle_;
    lock_.Leave();
    if (wake) queued_.Release(1);
}

bool CompressorPool::Done(const Task* task) {
    lock_.Enter();
    bool done = task->done;
    lock_.Leave();
    return done;
}

void CompressorPool::WaitForAny() { WaitFor(nullptr); }

void CompressorPool::WaitFor(const Task* task) {
    lock_.Enter();
    const bool wait = task ? !task->done : !finishedUnseen_;
    finishedUnseen_ = false;
    waiting_ = wait;
    awaited_ = task;
    lock_.Leave();
    if (wait) finished_.Wait();
}

void CompressorPool::Finish(Task* task, bool ran) {
    lock_.Enter();
    task->failed = !ran;
    task->done = true;
    const bool wake = waiting_ && (!awaited_ || awaited_ == task);
    if (wake)
        waiting_ = false;
    else
        finishedUnseen_ = true;
    lock_.Leave();
    if (wake) finished_.Set();
}

void CompressorPool::Run(void* pool) { static_cast<CompressorPool*>(pool)->Work(); }

bool CompressorPool::RunTask(Task& task, WorkerStream& stream) {
    try {
        return task.Run(*this, stream);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

// Tasks still queued when the pool stops are dropped: the call that owns
// them has failed and throws them away. Under Wine every wait and every
// wake is a round trip to the server, so a worker waits only when nothing
// is queued, and is woken only when it waits.
void CompressorPool::Work() {
    WorkerStream stream(level_);
    for (;;) {
        lock_.Enter();
        while (!stopping_ && queue_.empty()) {
            ++idle_;
            lock_.Leave();
            queued_.Wait();
            lock_.Enter();
        }
        Task* task = nullptr;
        if (!stopping_) {
            task = queue_.front();
            queue_.pop_front();
            if (urgent_ > 0) --urgent_;
        }
        lock_.Leave();
        if (!task) return;
        Finish(task, RunTask(*task, stream));
    }
}

// Deflates one block on its own: primed with the data before it, and ended
// with a sync flush unless it is the file's last, so that the blocks of a
// file, joined in order, make one deflate stream.
bool Block::Run(CompressorPool&, WorkerStream& worker) {
    if (!worker.ready()) return false;
    z_stream* stream = worker.get();
    uInt size = static_cast<uInt>(raw.size());
    crc = crc32(crc32(0, nullptr, 0), raw.data(), size);
    if (!stream) return true;
    if (LooksIncompressible(raw)) {
        StoreBlocks(*this);
        return true;
    }
    if (deflateReset(stream) != Z_OK) return false;
    if (!dictionary.empty() && deflateSetDictionary(stream, dictionary.data(),
                                                    static_cast<uInt>(dictionary.size())) != Z_OK)
        return false;
    packed.resize(deflateBound(stream, size) + 64);
    stream->next_in = raw.data();
    stream->avail_in = size;
    const int flush = last ? Z_FINISH : Z_SYNC_FLUSH;
    size_t used = 0;
    for (;;) {
        stream->next_out = packed.data() + used;
        stream->avail_out = static_cast<uInt>(packed.size() - used);
        int result = deflate(stream, flush);
        used = packed.size() - stream->avail_out;
        if (result == Z_STREAM_ERROR) return false;
        if (last ? result == Z_STREAM_END : stream->avail_out != 0) break;
        packed.resize(packed.size() * 2);
    }
    packed.resize(used);
    return true;
}

void CompressorPool::Stop() {
    lock_.Enter();
    stopping_ = true;
    lock_.Leave();
    if (threads_.size() == 0) return;
    queued_.Release(threads_.size());
    threads_.Join();
}

}  // namespace mvwrap
