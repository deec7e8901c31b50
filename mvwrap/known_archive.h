// The archive this process wrote last, as it left it. The zip job adds one
// folder after another to one archive, and the Create then lists that
// archive twice; checking the data of every entry each time would cost as
// much as unpacking the archive each time. An archive whose full path, size,
// creation and last-write times and whole directory and end record are
// still the ones written here holds the data written here, so its entries
// are taken as they were written. Any other archive, or this one once
// anything of that proof has changed, is read and checked in full.
#ifndef MVWRAP_KNOWN_ARCHIVE_H
#define MVWRAP_KNOWN_ARCHIVE_H

#include <stdint.h>

#include <string>
#include <vector>

#include "file_system.h"
#include "zip_reader.h"

namespace mvwrap {

// The full path as the archive's identity: case folded, relative parts
// resolved.
std::wstring FullArchivePath(const std::wstring& path);

// The entries of the archive written last, in archive order, and where its
// directory starts, when the archive open as `file` (of `length` bytes) at
// `path` is that one and still as it was left; null otherwise. Read, not
// copied: they stay valid until the next call here.
const std::vector<StoredEntry>* KnownEntries(const std::wstring& path, NativeFile file,
                                             uint64_t length, uint64_t& directoryOffset);

// The same, for adding to the archive: its entries are taken over, and the
// archive is forgotten until it is noted again, so that a large directory is
// never held twice.
bool TakeKnownArchive(const std::wstring& path, NativeFile file, uint64_t length,
                      std::vector<StoredEntry>& entries, uint64_t& directoryOffset);

// Notes the archive just committed at `path`: its central records in order,
// where the directory starts and the end record. Forgets it when its
// details cannot be read. The records are taken over, not copied: a large
// archive's directory is megabytes.
void RememberArchive(const std::wstring& path, std::vector<std::string>&& records,
                     uint64_t directoryOffset, const std::string& end);

}  // namespace mvwrap

#endif
