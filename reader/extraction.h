// `extract`: every file of an opened package written below a folder, under
// the names the package's own checks allowed. Each file is written under a
// temporary name beside its place and moved there once it is whole, with
// its time and attributes, so that a failure leaves no half file; a failed
// extraction takes back everything it did (extraction_changes.h).
#ifndef READER_EXTRACTION_H
#define READER_EXTRACTION_H

#include <string>

#include "opened_package.h"

// 0, or 1 with the fault told on standard error (naming the file).
int ExtractPackage(OpenedPackage& package, const std::string& folder);

// The typed password (UTF-8) in the ANSI code page, as the package's own
// dialog would take it; false when that code page cannot hold it.
bool PasswordInCodePage(const std::string& typed, std::string& ansi);

#endif
