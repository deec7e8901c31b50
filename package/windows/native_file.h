// An open file as BinaryFile holds it on Windows: a file handle.
#ifndef PACKAGE_NATIVE_FILE_H
#define PACKAGE_NATIVE_FILE_H

#include "win_handles.h"

using NativeFile = FileHandle;

#endif
