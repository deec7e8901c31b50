// Reading an existing archive: its central directory, for listing it and for
// carrying its entries over when files are added to it.
#ifndef MVWRAP_ZIP_READER_H
#define MVWRAP_ZIP_READER_H

#include <windows.h>
#include <stdint.h>

#include <string>
#include <vector>

namespace mvwrap {

// The central records of an open archive, in archive order. False when the
// archive is damaged, is no zip archive, or needs extensions beyond 32 bits.
bool ReadCentralDirectory(HANDLE archive, std::vector<std::string>& records);

// An entry's name with "\" separators, from UTF-8 or, without the UTF-8
// flag, from the DOS code page.
std::wstring EntryName(const std::string& record);

// Reads exactly `size` bytes at `at`.
bool ReadAt(HANDLE file, uint64_t at, void* data, size_t size);

}  // namespace mvwrap

#endif
