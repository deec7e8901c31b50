// Writes entries into the archive being made: files found on disk, and
// entries carried over unchanged from the archive being added to. Each entry
// yields its central record, for the directory written at the end.
//
// Files are opened and read once, on the worker threads, in blocks that the
// workers then deflate, while the caller's thread writes the finished entries
// in archive order. Files are read ahead of the writing as far as a budget of
// bytes in memory allows, so that small files keep every worker busy; the
// reading starts while the files are still being found.
// A file of up to kHeldFileSize bytes is held in memory until all its blocks
// are done, so that it is stored from the blocks already read when deflate
// does not make it smaller; a larger one is written block by block as the
// blocks come, and read a second time only when it has to be stored after
// all. Blocks in flight are bounded, so memory does not grow with file size.
#ifndef MVWRAP_ENTRY_WRITER_H
#define MVWRAP_ENTRY_WRITER_H

#include <stdint.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "archive_output.h"
#include "compressor_pool.h"
#include "file_read.h"
#include "file_search.h"
#include "file_system.h"
#include "local_time.h"
#include "zip_format.h"
#include "zip_reader.h"

namespace mvwrap {

struct RetryPolicy {
    int tries;    // at least one
    int seconds;  // between tries
};

class EntryWriter {
public:
    EntryWriter(ArchiveOutput& output, int level, RetryPolicy retry, int workers);

    // `files` must outlive the writer, and only grow: the workers read from
    // it. Hands the workers the files not yet handed to them, as far as the
    // budget allows, without waiting; for a search still going on.
    void ReadAhead(const std::deque<FoundFile>& files);
    // Each returns 0 or an error number.
    int32_t AddAll(const std::deque<FoundFile>& files, std::vector<std::string>& records);
    // Copies a checked entry of the archive being added to; `path` names
    // that archive, for its errors.
    int32_t CarryOver(NativeFile archive, const std::wstring& path, const StoredEntry& entry,
                      std::string& record);

private:
    // One file on its way from the disk to the archive.
    struct Pending {
        const FoundFile* file;
        EntryHeader header;
        FileRead reading;
        bool queued = false;    // `reading` is with the workers
        bool tooLarge = false;  // as listed
        int tried = 0;
        bool readDone = false;
        bool streaming = false;  // larger than kHeldFileSize
        uint64_t read = 0;
        uint64_t charged = 0;                       // of the bytes in memory
        std::deque<std::unique_ptr<Block>> blocks;  // read, not yet written
        bool started = false;                       // local header written
        uint64_t start = 0;
        uint64_t dataStart = 0;
        uint64_t size = 0;
        uint64_t packed = 0;
    };

    bool Started();
    bool AdmitMore(const std::deque<FoundFile>& files, uint64_t budget);
    void Admit(const FoundFile& file);
    void Wait();
    void Request(Pending& pending, bool first, uint64_t blocks);
    int32_t Collect(Pending& pending);
    void ReadOn(Pending& front);
    void Release(Pending& pending, uint64_t bytes);
    int32_t Retry(Pending& pending, int32_t error);
    int32_t WriteReady(Pending& pending, bool& finished, std::string& record);
    int32_t WriteHeld(Pending& pending, bool& finished);
    int32_t WriteStreamed(Pending& pending, bool& finished);
    int32_t StoreAgain(Pending& pending);
    int32_t StoreOnce(Pending& pending);

    ArchiveOutput& output_;
    int level_;
    RetryPolicy retry_;
    int workers_;
    uint64_t inFlight_ = 0;  // bytes counted for files being read and not yet written
    std::vector<unsigned char> in_;
    LocalTimes times_;
    std::deque<Pending> pending_;  // handed to the workers, in archive order
    size_t next_ = 0;              // the first file not yet handed to them
    // Declared after the files and blocks it works on, so that it is
    // stopped, and its workers are gone, before any of them is freed.
    std::unique_ptr<CompressorPool> pool_;
    bool started_ = false;
};

}  // namespace mvwrap

#endif
