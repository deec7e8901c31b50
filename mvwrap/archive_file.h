// The calls that write the archive: a new temporary file beside it, the
// archive opened to be added to, writing and cutting, its times kept and
// put back, and the finished file put in the archive's place. Files are
// named in UTF-16 and owned by a File (file_system.h).
#ifndef MVWRAP_ARCHIVE_FILE_H
#define MVWRAP_ARCHIVE_FILE_H

#include <stddef.h>
#include <stdint.h>

#include <string>

#include "file_system.h"

namespace mvwrap {

// A new file, for writing only, that no other program may open meanwhile;
// false when something of that name is there (IsExistsError) or it cannot
// be made.
bool CreateNewFile(const std::wstring& path, File& file);
// An existing file, for reading and, when `write`, for writing, that other
// programs may only read meanwhile.
bool OpenExistingFile(const std::wstring& path, bool write, File& file);
// Whether the file at `path` is marked read-only (as the archive's own
// listing would show it).
bool IsReadOnlyFile(const std::wstring& path);

// Writes at the file's position and moves it on; `written` may fall short
// when the disk is full.
bool WriteNext(NativeFile file, const void* data, size_t size, size_t& written);
bool MoveTo(NativeFile file, uint64_t at);
// Ends the file at its position.
bool CutHere(NativeFile file);
// Closes the file and tells whether the system took everything written: a
// network drive may report a failed write only then.
bool CloseChecked(File& file);

bool KeepTimes(NativeFile file, FileTimes& times);
bool PutTimesBack(NativeFile file, const FileTimes& times);

// Puts `source` in the place of `target`, which may exist; both lie in one
// folder.
bool ReplacePath(const std::wstring& source, const std::wstring& target);
bool RemoveFile(const std::wstring& path);

// A number that differs between processes and between calls, to start the
// search for a free temporary name.
uint32_t NameSeed();

}  // namespace mvwrap

#endif
