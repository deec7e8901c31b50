// The installation record as the package writer builds it; the layout
// around it is in package_constants.h.
#ifndef PACKAGE_PACKAGE_FORMAT_H
#define PACKAGE_PACKAGE_FORMAT_H

#include <string>

#include "package_constants.h"

// The 100 record bytes: the entry name padded with blanks, then the password
// from position 80 and the start program from position 60 written over it,
// each cut where the record ends.
std::string InstallationRecord(const std::string& entryName, const std::string& password,
                               const std::string& installExecutable);

// The record with the piece count written over positions 90 to 92.
std::string WithPieceCount(std::string record, int pieceCount);

#endif
