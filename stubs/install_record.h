// The installation record and the package layout around it, as the writer
// lays them down. Pure text and number work: no platform calls, so the same
// code runs in both stubs and in the host fuzzer.
#ifndef STUBS_INSTALL_RECORD_H
#define STUBS_INSTALL_RECORD_H

#include <stdint.h>

#include "package_constants.h"

namespace stub {

// The program reads at most this many characters of the password field.
const uint32_t kPasswordLimit = 39;

// The record as the writer builds it: the entry name space-padded, the
// password from position 80, the start program from position 60, each
// written over what is there and cut at the record's end. Null or empty
// texts change nothing (the entry name then leaves spaces).
void BuildRecord(const char* entryName, const char* password, const char* startProgram,
                 char record[RecordLength]);

// The piece count of positions 90 to 92, or -1 when they are not three digits.
int PieceCount(const char record[RecordLength]);

// The start program: the longest archive entry name that the record spells
// from position 60 on. A name that reaches the record's end may be longer
// than the record holds: it is found when it is the only name that begins
// with all the record holds. In spanned packages positions 90 to 92 hold
// the piece count, whatever the name has there. -1 when no name, or more
// than one, fits.
int FindStartProgram(const char record[RecordLength], const char* const* names, int count,
                     bool spanned);

// Whether the writer put a start program into the record: position 60 is
// not what the entry name (or its padding) left there. A package made from
// an archive without a program names none.
bool RecordNamesStartProgram(const char record[RecordLength], const char* const* names, int count);

// Whether what the record shows from position 80 on is a password rather than
// what the entry name and the start program left there. In spanned packages
// the piece count hides positions 90 to 92.
bool RecordHasPassword(const char record[RecordLength], const char* const* names, int count,
                       int startProgram, bool spanned);

// Whether the typed password, written as the writer would, gives the record's
// visible positions from 80 on.
bool PasswordMatches(const char record[RecordLength], const char* typed, const char* const* names,
                     int count, int startProgram, bool spanned);

}  // namespace stub

#endif
