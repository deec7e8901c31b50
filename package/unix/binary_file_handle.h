// An open file as BinaryFile holds it natively: a file descriptor.
#ifndef PACKAGE_BINARY_FILE_HANDLE_H
#define PACKAGE_BINARY_FILE_HANDLE_H

#include "unique_fd.h"

using NativeFile = UniqueFd;

#endif
