// An open file as BinaryFile holds it on Windows: a file handle.
#ifndef PACKAGE_BINARY_FILE_HANDLE_H
#define PACKAGE_BINARY_FILE_HANDLE_H

#include "win_handles.h"

using NativeFile = FileHandle;

#endif
