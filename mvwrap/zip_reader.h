// Reading an existing archive: its central directory, for listing it and for
// carrying its entries over when files are added to it. Listing and adding
// share one check, so that an archive is either readable for both or damaged
// for both.
#ifndef MVWRAP_ZIP_READER_H
#define MVWRAP_ZIP_READER_H

#include <stdint.h>

#include <string>
#include <vector>

#include "native_file.h"

namespace mvwrap {

// One entry of an archive, as the checks found it.
struct StoredEntry {
    std::string record;    // its central record
    uint64_t localOffset;  // where its local header starts
    uint64_t length;       // local header, data and any data descriptor
};

// The entries of an open archive, in archive order. False when the archive
// is damaged, is no zip archive, or needs extensions beyond 32 bits: when a
// record is cut short or malformed, when a local header disagrees with its
// central record (signature, flags, method, name, sizes, CRC or data
// descriptor), or when an entry reaches past the central directory or into
// another entry. `directoryOffset`, when given, receives where the central
// directory starts.
bool ReadArchive(NativeFile archive, std::vector<StoredEntry>& entries,
                 uint64_t* directoryOffset = nullptr);

// An entry's name with "\" separators, from UTF-8 or, without the UTF-8
// flag, from the DOS code page.
std::wstring EntryName(const std::string& record);

}  // namespace mvwrap

#endif
