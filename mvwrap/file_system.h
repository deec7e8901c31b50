// What the component's portable code asks of the file system, in its own
// terms: a file already open (NativeFile, which the caller owns and closes),
// read at 64-bit positions, and names compared as the system compares them.
// Each system's answers live in its own folder (windows/, unix/).
#ifndef MVWRAP_FILE_SYSTEM_H
#define MVWRAP_FILE_SYSTEM_H

#include <stddef.h>
#include <stdint.h>

#include <string>

#include "native_file.h"

namespace mvwrap {

bool FileLength(NativeFile file, uint64_t& length);
// Reads exactly `size` bytes at `at`.
bool ReadAt(NativeFile file, uint64_t at, void* data, size_t size);

// A name in upper case, as the file system compares names.
std::wstring UpperCaseName(std::wstring name);

}  // namespace mvwrap

#endif
