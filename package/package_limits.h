// What a package may hold before Create writes it: an installation record
// that names its start program as the stubs will read it, the password
// whole beside it, and a size Windows can still start.
#ifndef PACKAGE_PACKAGE_LIMITS_H
#define PACKAGE_PACKAGE_LIMITS_H

#include <string>

// Checks the start program in InstallExecutable and the password against
// the names of the archive at ArchivePath, and the whole package's length.
// False, after saying why, when the package would not install as made.
bool WithinPackageLimits(const std::string& entryName);

#endif
