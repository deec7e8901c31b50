// Copying the stub files with their times and attributes, and carrying the
// archive's file times over to the finished package.
#ifndef PACKAGE_FILE_COPY_H
#define PACKAGE_FILE_COPY_H

#include <windows.h>

#include <cstdint>
#include <string>

// Creation, last-access and last-write time, in that order. All zero until
// the first capture; SetFileTime leaves a zero time unchanged.
struct FileTimes {
    FILETIME creation{}, lastAccess{}, lastWrite{};
};

extern FileTimes SavedArchiveTimes;

// Whether a directory search finds an entry that is not hidden or system
// (files and folders both count; wildcards take effect).
bool PathExists(const std::string& path);

// Free bytes of drive 1 = A:, 2 = B:, ...; 0 is the current directory's drive.
// 0 when the drive cannot be asked; at most 2,147,483,648.
uint32_t DriveFreeBytes(int16_t drive);

// Copies source to destination with the source's times and its read-only,
// hidden, system and archive attributes. Refuses, leaving an existing
// destination as it was, a missing source, the same file under any spelling,
// a destination that cannot be removed and too little free space; a transfer
// that fails leaves no destination behind. True when the copy is complete.
bool CopyFileKeepTimes(const std::string& destination, const std::string& source);

// Remembers the times of the file at ArchivePath in SavedArchiveTimes.
void CaptureArchiveTimes();

// Gives an existing file the saved archive times; a missing file stays missing.
void StampPackageTimes(const std::string& path);

#endif
