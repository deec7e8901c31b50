// Path questions that only the platform can answer: whether a file exists,
// and where the running program lives.
#ifndef PACKAGE_PLATFORM_PATHS_H
#define PACKAGE_PLATFORM_PATHS_H

#include <string>

// A path ending in the separator (or, on Windows, ":") is searched as that folder's "*.*"; wildcards
// take effect. Never fails: a search that fails counts as false.
bool FileExists(const std::string& path);

// Full path of the running program's executable (on Windows at most 254
// characters).
std::string ProgramPath();

// Makes every folder of path up to its last separator, as IMAGEHLP's
// MakeSureDirectoryPathExists does, with that function where Windows has
// it (Windows 98, NT 4.0 and later) and with MakeFoldersAbove elsewhere.
void MakeSureFoldersExist(const std::string& path);

// The same, one folder made a level.
void MakeFoldersAbove(const std::string& path);

#endif
