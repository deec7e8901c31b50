// The writer's record read back before it is written.
#include "record_room.h"

#include <string.h>

#include "install_record.h"

namespace stub {

RecordRoom CheckRecordRoom(const char* entryName, const char* password, const char* startProgram,
                           const char* const* names, int count, bool spanned, int& readInstead) {
    readInstead = -1;
    if (!startProgram || !startProgram[0]) return RecordRoom::kFits;
    if (password && password[0] && strlen(startProgram) > kLongestStartWithPassword)
        return RecordRoom::kStartHidesPassword;
    char record[RecordLength];
    BuildRecord(entryName, password, startProgram, record);
    // A whole package whose record shows "001" there is read as a package
    // cut into one piece.
    int found = FindStartProgram(record, names, count, spanned || PieceCount(record) == 1);
    if (found >= 0 && strcmp(names[found], startProgram) == 0) return RecordRoom::kFits;
    readInstead = found;
    return RecordRoom::kStartAmbiguous;
}

}  // namespace stub
