// Writes entries into the archive being made: files found on disk, streamed
// through fixed buffers (compressed, or stored when that is no smaller), and
// entries carried over unchanged from the archive being added to. Each call
// yields the entry's central record, for the directory written at the end.
#ifndef MVWRAP_ENTRY_WRITER_H
#define MVWRAP_ENTRY_WRITER_H

#include <windows.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "archive_output.h"
#include "file_search.h"
#include "zip_reader.h"

namespace mvwrap {

struct RetryPolicy {
    int tries;    // at least one
    int seconds;  // between tries
};

class EntryWriter {
public:
    EntryWriter(ArchiveOutput& output, int level, RetryPolicy retry);

    // Each returns 0 or an error number.
    int32_t Add(const FoundFile& file, std::string& record);
    // Copies a checked entry of the archive being added to; `path` names
    // that archive, for its errors.
    int32_t CarryOver(HANDLE archive, const std::wstring& path, const StoredEntry& entry,
                      std::string& record);

private:
    int32_t TryData(const FoundFile& file, uint64_t dataStart, uint32_t& crc, uint64_t& size,
                    uint64_t& packed, uint16_t& method);
    int32_t Deflate(HANDLE source, const FoundFile& file, uint32_t& crc, uint64_t& size);
    int32_t Store(HANDLE source, const FoundFile& file, uint32_t& crc, uint64_t& size);

    ArchiveOutput& output_;
    int level_;
    RetryPolicy retry_;
    std::vector<unsigned char> in_;
    std::vector<unsigned char> out_;
};

}  // namespace mvwrap

#endif
