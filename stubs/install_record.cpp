// Reading the installation record the way it was written: the fields may run
// into one another, so questions about them are answered by writing the
// record again and comparing, never by cutting it at fixed places.
#include "install_record.h"

#include <string.h>

namespace stub {

namespace {

void WriteFrom(char record[RecordLength], uint32_t at, const char* text, uint32_t limit) {
    if (!text) return;
    size_t length = strlen(text);
    if (length > limit) length = limit;
    for (size_t i = 0; i < length && at + i < RecordLength; ++i) record[at + i] = text[i];
}

// The entry name the writer padded, as far as the record keeps it whole.
void RecordedEntryName(const char record[RecordLength], char name[RecordExecutableOffset + 1]) {
    uint32_t length = RecordExecutableOffset;
    while (length > 0 && record[length - 1] == ' ') --length;
    memcpy(name, record, length);
    name[length] = 0;
}

bool SameVisibleTail(const char* a, const char* b, bool spanned) {
    for (uint32_t i = RecordPasswordOffset; i < RecordLength; ++i) {
        if (spanned && i >= RecordPieceCountOffset && i < RecordPieceCountOffset + 3) continue;
        if (a[i] != b[i]) return false;
    }
    return true;
}

// Tries every entry name that the writer may have started the record from
// (an archive entry agreeing with positions 1 to 59, or those positions
// alone) and tells whether one of them gives the record with this password.
bool AnyWriting(const char record[RecordLength], const char* password, const char* const* names,
                int count, int startProgram, bool spanned) {
    const char* start = startProgram >= 0 && startProgram < count ? names[startProgram] : nullptr;
    char built[RecordLength];
    char recorded[RecordExecutableOffset + 1];
    RecordedEntryName(record, recorded);
    BuildRecord(recorded, password, start, built);
    if (SameVisibleTail(built, record, spanned)) return true;
    for (int i = count - 1; i >= 0; --i) {
        if (strlen(names[i]) <= RecordExecutableOffset) continue;
        if (memcmp(names[i], record, RecordExecutableOffset) != 0) continue;
        BuildRecord(names[i], password, start, built);
        if (SameVisibleTail(built, record, spanned)) return true;
    }
    return false;
}

}  // namespace

void BuildRecord(const char* entryName, const char* password, const char* startProgram,
                 char record[RecordLength]) {
    memset(record, ' ', RecordLength);
    WriteFrom(record, 0, entryName, RecordLength);
    if (password && password[0]) WriteFrom(record, RecordPasswordOffset, password, kPasswordLimit);
    if (startProgram && startProgram[0])
        WriteFrom(record, RecordExecutableOffset, startProgram, 254);
}

int PieceCount(const char record[RecordLength]) {
    int count = 0;
    for (uint32_t i = RecordPieceCountOffset; i < RecordPieceCountOffset + 3; ++i) {
        if (record[i] < '0' || record[i] > '9') return -1;
        count = count * 10 + (record[i] - '0');
    }
    return count;
}

int FindStartProgram(const char record[RecordLength], const char* const* names, int count,
                     bool spanned) {
    const uint32_t room = RecordLength - RecordExecutableOffset;
    int best = -1;
    size_t bestLength = 0;
    bool tied = false;
    for (int i = 0; i < count; ++i) {
        size_t length = strlen(names[i]);
        if (length == 0 || names[i][length - 1] == '\\') continue;
        // A name that fills the field may run on past the record's end:
        // every such name is as long as the record can tell.
        if (length > room) length = room;
        size_t k = 0;
        for (; k < length; ++k) {
            uint32_t at = RecordExecutableOffset + uint32_t(k);
            bool hidden = spanned && at - RecordPieceCountOffset < 3;
            if (!hidden && names[i][k] != record[at]) break;
        }
        if (k < length) continue;
        if (length == bestLength) tied = true;
        if (length > bestLength) {
            best = i;
            bestLength = length;
            tied = false;
        }
    }
    return tied ? -1 : best;
}

bool RecordHasPassword(const char record[RecordLength], const char* const* names, int count,
                       int startProgram, bool spanned) {
    return !AnyWriting(record, "", names, count, startProgram, spanned);
}

bool PasswordMatches(const char record[RecordLength], const char* typed, const char* const* names,
                     int count, int startProgram, bool spanned) {
    if (!typed || !typed[0]) return false;
    return AnyWriting(record, typed, names, count, startProgram, spanned);
}

bool RecordNamesStartProgram(const char record[RecordLength], const char* const* names, int count) {
    // The entry name leaves a blank there, or its own 60th character when
    // it is longer.
    if (record[RecordExecutableOffset] == ' ') return false;
    for (int i = 0; i < count; ++i)
        if (strlen(names[i]) > RecordExecutableOffset &&
            memcmp(names[i], record, RecordExecutableOffset + 1) == 0)
            return false;
    return true;
}

}  // namespace stub
