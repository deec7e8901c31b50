// Create: the setup list becomes one installation package at the path the
// user chooses, or its diskette pieces.
#ifndef PACKAGE_CREATE_PACKAGE_H
#define PACKAGE_CREATE_PACKAGE_H

// Asks the front end (create_front.h) for the package path, compresses the
// setup list, asks for the start program and writes the package or its
// pieces. Does nothing with an empty setup list. Stops at the first step
// that fails, after that step has said what failed, and leaves the output
// folder as it was (working_files.h): no working file, no half-written
// package, the earlier package back in its place. True when the package or
// all its pieces are complete.
bool CreatePackage();

#endif
