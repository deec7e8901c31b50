// Reading one file on a worker thread: opening it and cutting its bytes into
// blocks of kBlockSize counted from its start, each handed back to the pool
// for compressing once the one after it shows whether it ends the file and
// has taken its last 32 KiB as its dictionary. Under Wine every open and
// close is a round trip to the server, and on Windows every open is scanned,
// so the opening and reading is spread over the workers like the
// compressing. The caller's thread sets up each task, hands it to the pool,
// and looks at its results only once the pool says it is done; one file's
// tasks never run at the same time. Failures are only recorded here (the
// platform's error), to be reported on the caller's thread.
#ifndef MVWRAP_FILE_READ_H
#define MVWRAP_FILE_READ_H

#include <stdint.h>

#include <memory>
#include <string>
#include <vector>

#include "compressor_pool.h"
#include "file_system.h"

namespace mvwrap {

// The largest file the writer holds whole until its blocks are done
// (entry_writer.h), which reads it with one task.
const uint64_t kHeldFileSize = 4 * 1024 * 1024;

class FileRead : public Task {
public:
    // `listed` is the size the folder listing gave, which saves asking the
    // file for it: a file still of that size is read with one call a block,
    // a small one with one call in all. One byte more is asked for than the
    // listing leaves, so that a file that grew is noticed and read on.
    void Start(const std::wstring& path, uint64_t listed);
    // Until `upTo` bytes are read or the file ends; at least one block.
    void ReadUpTo(uint64_t upTo) { upTo_ = upTo; }
    // Back to the start, the file closed and every block dropped; the pool
    // must be done with the blocks.
    void Reset();

    bool Run(CompressorPool& pool, WorkerStream& stream) override;

    // Results, for the caller's thread once the task is done.
    SystemError error = 0;  // of a failed open or read
    uint64_t read = 0;
    bool ended = false;
    // Handed to the pool, in file order, not yet taken by the caller.
    std::vector<std::unique_ptr<Block>> made;

private:
    bool ReadBlock(CompressorPool& pool);
    void Hand(CompressorPool& pool, std::unique_ptr<Block> block, bool last);

    const std::wstring* path_ = nullptr;
    uint64_t listed_ = 0;
    uint64_t upTo_ = 0;
    File source_;
    std::unique_ptr<Block> next_;  // read, waiting for the one after it
};

}  // namespace mvwrap

#endif
