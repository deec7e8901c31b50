// Files and folders by name: removing, moving, making. Each call returns
// whether it worked; LastFileErrorNumber (file_errors.h) says why not.
#ifndef PACKAGE_FILE_OPERATIONS_H
#define PACKAGE_FILE_OPERATIONS_H

#include <string>

bool RemoveFile(const std::string& path);

// Moves a file or folder to a name where nothing is; never replaces.
bool MoveFileTo(const std::string& from, const std::string& to);

bool MakeFolder(const std::string& path);

// Removes an empty folder.
bool RemoveFolder(const std::string& path);

// A name no file has in the folder of path (the current folder when path
// names none), or an empty text when none could be claimed.
std::string FreeNameBeside(const std::string& path);

#endif
