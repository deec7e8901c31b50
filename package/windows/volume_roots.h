// The volume roots Windows' free-space call is asked about: drive letters
// and network shares, which only Windows has.
#ifndef PACKAGE_WINDOWS_VOLUME_ROOTS_H
#define PACKAGE_WINDOWS_VOLUME_ROOTS_H

#include <cstdint>
#include <string>

// The root that the platform's free-space call is asked for about path:
// "C:\" for C:\..., "\\server\share\" for \\server\share\..., and for a
// relative path that of currentFolder. Empty when there is none.
std::string VolumeRoot(const std::string& path, const std::string& currentFolder);

// Free bytes of drive 1 = A:, 2 = B:, ...; 0 is the current directory's drive.
// 0 when the drive cannot be asked; at most 2,147,483,648.
uint32_t DriveFreeBytes(int16_t drive);

#endif
