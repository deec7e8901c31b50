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

// The root that the platform's free-space call is asked for about path:
// "C:\" for C:\..., "\\server\share\" for \\server\share\..., and for a
// relative path that of currentFolder. Empty when there is none.
std::string VolumeRoot(const std::string& path, const std::string& currentFolder);

// Free bytes of drive 1 = A:, 2 = B:, ...; 0 is the current directory's drive.
// 0 when the drive cannot be asked; at most 2,147,483,648.
uint32_t DriveFreeBytes(int16_t drive);

// The same for the volume that path lies on, a network share included.
uint32_t FreeBytesAt(const std::string& path);

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
