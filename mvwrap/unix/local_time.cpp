// The POSIX conversion to local time: the C library's zone rules (TZ, or
// the system's zone), with the bias in force at that date.
#include "local_time.h"

#include <time.h>

namespace mvwrap {

namespace {

const uint64_t kTicksPerSecond = 10000000;
const int64_t kSecondsTo1970 = 11644473600;  // from 1601

}  // namespace

bool ToLocalTime(uint64_t universal, uint64_t& local) {
    const time_t seconds =
        static_cast<time_t>(static_cast<int64_t>(universal / kTicksPerSecond) - kSecondsTo1970);
    struct tm zoned;
    if (!localtime_r(&seconds, &zoned)) return false;
    local = universal + static_cast<uint64_t>(static_cast<int64_t>(zoned.tm_gmtoff) *
                                              static_cast<int64_t>(kTicksPerSecond));
    return true;
}

}  // namespace mvwrap
