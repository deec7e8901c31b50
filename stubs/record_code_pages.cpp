#include "record_code_pages.h"

#include <string.h>

namespace stub {

bool RecordNamesStartProgram(const char record[RecordLength], const char* const* names, int count) {
    const uint32_t from = RecordExecutableOffset, to = RecordPasswordOffset;
    bool blank = true;
    for (uint32_t i = from; i < to; ++i) blank = blank && record[i] == ' ';
    if (blank) return false;
    for (int n = 0; n < count; ++n) {
        size_t length = strlen(names[n]);
        if (length <= from || memcmp(names[n], record, from) != 0) continue;
        bool explained = true;
        for (uint32_t i = from; i < to && explained; ++i)
            explained = record[i] == (i < length ? names[n][i] : ' ');
        if (explained) return false;
    }
    return true;
}

int AgreedStartProgram(const int* found, int count) {
    int agreed = -1;
    for (int i = 0; i < count; ++i) {
        if (found[i] < 0) continue;
        if (agreed >= 0 && found[i] != agreed) return kStartProgramsDisagree;
        agreed = found[i];
    }
    return agreed;
}

}  // namespace stub
