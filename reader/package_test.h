// `test`: the package's own /T, natively. The package is read as /T reads
// it, through the same code, and every entry's data is unpacked and checked
// against its CRC and sizes, the entries spread over the processors; the
// fault told is the first in the archive's order, as /T tells it.
#ifndef READER_PACKAGE_TEST_H
#define READER_PACKAGE_TEST_H

#include <string>

// 0 when the package is complete (said on standard output), or 1 with the
// first fault on standard error, in /T's words.
int TestPackage(const std::string& path);

#endif
