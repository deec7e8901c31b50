// The installation record and the package layout around it, as the writer
// lays them down. Pure text and number work: no platform calls, so the same
// code runs in both stubs and in the host fuzzer.
#ifndef STUBS_INSTALL_RECORD_H
#define STUBS_INSTALL_RECORD_H

#include <stdint.h>

namespace stub {

const char kStubMarker[] = "MORVASX998";
const char kRecordMarker[] = "MELKOP1998";
const uint32_t kMarkerLength = 10;
const uint32_t kZeroPadding = 394;
const uint32_t kRecordLength = 100;
const uint32_t kInnerStubLength = 97792;
const uint32_t kPieceSize = 1430000;

// Offsets inside the record (position - 1).
const uint32_t kStartProgramAt = 59;
const uint32_t kPasswordAt = 79;
const uint32_t kPieceCountAt = 89;
const uint32_t kPasswordLimit = 39;

// Where things stand in a package whose outer stub is s bytes long.
inline uint64_t SecondStubOffset(uint32_t s) { return uint64_t(s) + kZeroPadding + kMarkerLength; }
inline uint64_t RecordOffset(uint32_t s) { return 2 * uint64_t(s) + 424; }
inline uint64_t InnerOffset(uint32_t s) { return 2 * uint64_t(s) + 524; }

// The record as the writer builds it: the entry name space-padded, the
// password from position 80, the start program from position 60, each
// written over what is there and cut at the record's end. Null or empty
// texts change nothing (the entry name then leaves spaces).
void BuildRecord(const char* entryName, const char* password, const char* startProgram,
                 char record[kRecordLength]);

// The piece count of positions 90 to 92, or -1 when they are not three digits.
int PieceCount(const char record[kRecordLength]);

// The start program: the longest archive entry name that the record spells
// from position 60 on (a name longer than the room left must begin with all
// of it). -1 when none does.
int FindStartProgram(const char record[kRecordLength], const char* const* names, int count);

// Whether what the record shows from position 80 on is a password rather than
// what the entry name and the start program left there. In spanned packages
// the piece count hides positions 90 to 92.
bool RecordHasPassword(const char record[kRecordLength], const char* const* names, int count,
                       int startProgram, bool spanned);

// Whether the typed password, written as the writer would, gives the record's
// visible positions from 80 on.
bool PasswordMatches(const char record[kRecordLength], const char* typed, const char* const* names,
                     int count, int startProgram, bool spanned);

}  // namespace stub

#endif
