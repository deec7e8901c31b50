// vnpunpack, the native package reader, run from a test under Wine: its
// command line is the host's, in UTF-8, with paths as the host names them.
#ifndef TESTS_SUPPORT_NATIVE_READER_H
#define TESTS_SUPPORT_NATIVE_READER_H

#include <windows.h>

#include <map>
#include <string>

#include "console_run.h"

// The host's path (UTF-8) of a Windows path (ANSI), as Wine maps it.
std::string UnixPath(const std::string& windowsPath);

// vnpunpack with these arguments (UTF-8; paths made by UnixPath).
ConsoleRun RunReader(const std::string& arguments);

// What `vnpunpack test` says of the package: its exit code and its one line,
// as /T's log gives them.
struct ReaderVerdict {
    int exitCode;
    std::string said;
};
ReaderVerdict ReaderTest(const std::string& package);

// The last-write time and attributes of every file and folder below root,
// by name, as this system sees them: what an extraction sets.
using Stamps = std::map<std::wstring, std::pair<unsigned long long, DWORD>>;
Stamps TreeStamps(const std::wstring& root);

#endif
