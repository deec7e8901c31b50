// The working values of one Create: program-wide texts that every Create
// overwrites. The zip job, the two choices, the package writers and spanning
// all read them; only the Create workflow and the choices set them.
#ifndef PACKAGE_WORKING_VALUES_H
#define PACKAGE_WORKING_VALUES_H

#include <string>

// Paths hold at most this many characters; a Create refuses a longer one.
constexpr std::string::size_type MaxPathText = 254;
// The password field is read into PasswordText up to this many characters.
constexpr std::string::size_type MaxPasswordText = 39;

extern std::string OutputPath;
extern std::string ArchivePath;
extern std::string IntermediatePath;
// Where the file that was at OutputPath waits until the new package is
// complete.
extern std::string KeptPackagePath;
extern std::string InstallExecutable;
extern std::string PasswordText;
// The folder of the stubs when a front end names one; otherwise they are
// taken from the program's own folder.
extern std::string StubFolder;

#endif
