#include "working_values.h"

std::string OutputPath;
std::string ArchivePath;
std::string IntermediatePath;
std::string KeptPackagePath;
std::string InstallExecutable;
std::string PasswordText;
std::string StubFolder;
