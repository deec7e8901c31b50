// Copying the stub files with their times and attributes, and carrying the
// archive's file times over to the finished package.
#ifndef PACKAGE_FILE_COPY_H
#define PACKAGE_FILE_COPY_H

#include <cstdint>
#include <string>

#include "file_times.h"

extern FileTimes SavedArchiveTimes;

// Whether a directory search finds an entry that is not hidden or system
// (files and folders both count; wildcards take effect).
bool PathExists(const std::string& path);

// Copies source to destination with the source's times and its read-only,
// hidden, system and archive attributes. Refuses, leaving an existing
// destination as it was, a missing source, the same file under any spelling,
// a destination that cannot be removed and too little free space; a transfer
// that fails leaves no destination behind. True when the copy is complete.
bool CopyFileKeepTimes(const std::string& destination, const std::string& source);

// Remembers the times of the file at ArchivePath in SavedArchiveTimes, or
// throws the FileError of reading them with SavedArchiveTimes all zero:
// never the times of an earlier archive.
void CaptureArchiveTimes();

// Gives an existing file the saved archive times; a missing file stays missing.
void StampPackageTimes(const std::string& path);

#endif
