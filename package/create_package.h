// Create: the setup list becomes one installation package at the path the
// user chooses, or its diskette pieces.
#ifndef PACKAGE_CREATE_PACKAGE_H
#define PACKAGE_CREATE_PACKAGE_H

// Asks for the package path, compresses the setup list, asks for the start
// program and writes the package. Does nothing with an empty setup list.
// Stops at the first step that fails, after that step has said what failed;
// a package is never left half-written at the chosen path.
void CreatePackage();

#endif
