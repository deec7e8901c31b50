// A file's three times as the Create carries them from the archive to the
// package and from a stub to its copy: counts of 100 ns since 1601 (UTC),
// the unit both systems' glue converts to, so the shared steps compare and
// copy them as plain numbers.
#ifndef PACKAGE_FILE_TIMES_H
#define PACKAGE_FILE_TIMES_H

#include <cstdint>

// Creation, last-access and last-write time, in that order. All zero until
// the first capture; a zero time is left unchanged when times are set.
struct FileTimes {
    uint64_t creation = 0, lastAccess = 0, lastWrite = 0;
};

#endif
