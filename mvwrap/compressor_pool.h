// Worker threads that compress the blocks of the files one Zzip call adds.
// The caller's thread reads the files, hands their blocks to the pool and
// writes the results in archive order; the workers only deflate and take
// checksums, so every failure is found and reported on the caller's thread.
// No worker outlives the pool: its destructor stops and waits for them all.
#ifndef MVWRAP_COMPRESSOR_POOL_H
#define MVWRAP_COMPRESSOR_POOL_H

#include <windows.h>
#include <stdint.h>

#include <deque>
#include <vector>

struct z_stream_s;

namespace mvwrap {

// Files are cut into blocks of this size from their start, whatever the
// number of threads, so that the archive does not depend on it.
const size_t kBlockSize = 256 * 1024;
// A block after the first is primed with this much of the data before it,
// the whole window deflate can look back into.
const size_t kDictionarySize = 32 * 1024;

struct Block {
    std::vector<unsigned char> raw;
    std::vector<unsigned char> dictionary;
    std::vector<unsigned char> packed;
    bool last = false;  // ends the file's deflate stream; others end on a byte boundary
    uint32_t crc = 0;
    bool failed = false;  // out of memory in the worker
    bool done = false;    // guarded by the pool's lock
};

// How many workers a Zzip call runs: one per processor, or the number in the
// MVWRAP_THREADS environment variable (1 to kMaxWorkers), which tests and the
// benchmark use to compare thread counts.
int WorkerCount();
const int kMaxWorkers = 16;

class CompressorPool {
public:
    // level 0: the workers only take checksums.
    CompressorPool(int workers, int level);
    ~CompressorPool();
    CompressorPool(const CompressorPool&) = delete;
    CompressorPool& operator=(const CompressorPool&) = delete;

    // False when not every worker could be started.
    bool Start();
    void Submit(Block* block);
    bool Done(const Block* block);
    // Waits until a worker has finished some block since the last wait.
    void WaitForAny();

private:
    static DWORD WINAPI Run(void* pool);
    void Work();
    bool Compress(Block& block, z_stream_s* stream);
    void Stop();

    int workers_;
    int level_;
    CRITICAL_SECTION lock_;
    HANDLE queued_;    // semaphore: blocks waiting, plus one per worker on stop
    HANDLE finished_;  // auto-reset event: a block is done
    std::deque<Block*> queue_;
    std::vector<HANDLE> threads_;
    bool stopping_ = false;
};

}  // namespace mvwrap

#endif
