#include "record_code_pages.h"

namespace stub {

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
