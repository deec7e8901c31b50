// Worker threads that read and compress the files one Zzip call adds. The
// caller's thread hands them the files to read (FileRead), whose blocks the
// workers then deflate and take checksums of, and writes the results in
// archive order; the workers only record what failed, so every failure is
// reported on the caller's thread. No worker outlives the pool: its
// destructor stops and waits for them all.
#ifndef MVWRAP_COMPRESSOR_POOL_H
#define MVWRAP_COMPRESSOR_POOL_H

#include <stdint.h>

#include <deque>
#include <vector>

#include "threads.h"

struct z_stream_s;

namespace mvwrap {

// Files are cut into blocks of this size from their start, whatever the
// number of threads, so that the archive does not depend on it.
const size_t kBlockSize = 256 * 1024;
// A block after the first is primed with this much of the data before it,
// the whole window deflate can look back into.
const size_t kDictionarySize = 32 * 1024;

class CompressorPool;
class WorkerStream;

// Work for one worker. The thread that hands it to the pool leaves it alone
// until the pool says it is done.
class Task {
public:
    virtual ~Task() = default;
    // False when it ran out of memory.
    virtual bool Run(CompressorPool& pool, WorkerStream& stream) = 0;

    bool failed = false;  // out of memory in the worker
    bool done = false;    // guarded by the pool's lock
};

class Block : public Task {
public:
    bool Run(CompressorPool& pool, WorkerStream& stream) override;

    std::vector<unsigned char> raw;
    std::vector<unsigned char> dictionary;
    std::vector<unsigned char> packed;
    bool last = false;  // ends the file's deflate stream; others end on a byte boundary
    uint32_t crc = 0;
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
    // Marks the task not done and queues it; when `first`, ahead of every
    // task not queued so, but behind those that were: a file's blocks are
    // then compressed in the order they were read, and the writing, which
    // takes them in that order, can free their memory as they come.
    // Any thread may call it.
    void Submit(Task* task, bool first);
    bool Done(const Task* task);
    // Waits until a worker has finished some task since the last wait.
    void WaitForAny();
    // Waits until that task is done, unless it is: the caller wakes once for
    // many tasks (under Wine each wake is a round trip to the server).
    void WaitFor(const Task* task);
    // For a task a worker runs within another: runs it there and marks it
    // done.
    void RunHere(Task& task, WorkerStream& stream) { Finish(&task, RunTask(task, stream)); }

private:
    static void Run(void* pool);
    void Work();
    bool RunTask(Task& task, WorkerStream& stream);
    void Finish(Task* task, bool ran);
    void Stop();

    int workers_;
    int level_;
    Lock lock_;
    Semaphore queued_;  // blocks waiting, plus one per worker on stop
    Event finished_;    // a task is done
    std::deque<Task*> queue_;
    size_t urgent_ = 0;  // tasks at the queue's front that were queued first
    Threads threads_;
    bool stopping_ = false;
    int idle_ = 0;                   // workers waiting, and not yet woken, for a task
    bool waiting_ = false;           // the caller waits for a task to finish
    const Task* awaited_ = nullptr;  // that task, or any when null
    bool finishedUnseen_ = false;    // one finished since the caller last waited
};

}  // namespace mvwrap

#endif
