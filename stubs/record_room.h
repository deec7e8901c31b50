// What Create may write into the installation record: the start program
// must read back as itself by the stubs' own rule, and no character of the
// password may lie under its name. Pure, so that Create, the stubs' tests
// and the stubs share one rule.
#ifndef STUBS_RECORD_ROOM_H
#define STUBS_RECORD_ROOM_H

#include <stdint.h>

#include "package_constants.h"

namespace stub {

// With a password, the start program's name ends before it: positions 60
// to 79.
const uint32_t kLongestStartWithPassword = RecordPasswordOffset - RecordExecutableOffset;
// The record keeps this many characters of a password: positions 80 to 100.
const uint32_t kKeptPasswordLength = RecordLength - RecordPasswordOffset;

enum class RecordRoom { kFits, kStartHidesPassword, kStartAmbiguous };

// The record the writer would make from the entry name, the password and
// the start program, read as the stubs read it among the archive's names
// (spanned: the package is to be cut into pieces). On kStartAmbiguous,
// readInstead is the name the stubs would start, or -1 for none.
RecordRoom CheckRecordRoom(const char* entryName, const char* password, const char* startProgram,
                           const char* const* names, int count, bool spanned, int& readInstead);

}  // namespace stub

#endif
