// An open file as BinaryFile holds it natively: a file descriptor.
#ifndef PACKAGE_NATIVE_FILE_H
#define PACKAGE_NATIVE_FILE_H

#include "unique_fd.h"

using NativeFile = UniqueFd;

#endif
