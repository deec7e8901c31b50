#include "file_time_units.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace {

// Seconds from 1601-01-01 to 1970-01-01.
constexpr uint64_t EpochDifference = 11644473600ull;
constexpr uint64_t TicksPerSecond = 10000000ull;

uint64_t Ticks(int64_t seconds, uint32_t nanoseconds) {
    return (static_cast<uint64_t>(seconds) + EpochDifference) * TicksPerSecond + nanoseconds / 100;
}

timespec Timespec(uint64_t ticks) {
    if (ticks == 0) return {0, UTIME_OMIT};
    timespec time;
    time.tv_sec = static_cast<time_t>(ticks / TicksPerSecond) - static_cast<time_t>(EpochDifference);
    time.tv_nsec = static_cast<long>(ticks % TicksPerSecond * 100);
    return time;
}

}  // namespace

bool ReadFileTimes(int fd, FileTimes& times) {
    struct statx status;
    if (statx(fd, "", AT_EMPTY_PATH, STATX_BASIC_STATS | STATX_BTIME, &status) != 0) return false;
    const statx_timestamp& born =
        (status.stx_mask & STATX_BTIME) ? status.stx_btime : status.stx_ctime;
    times = {Ticks(born.tv_sec, born.tv_nsec),
             Ticks(status.stx_atime.tv_sec, status.stx_atime.tv_nsec),
             Ticks(status.stx_mtime.tv_sec, status.stx_mtime.tv_nsec)};
    return true;
}

// Linux lets no one set a file's creation (birth) time: the creation time
// the shared steps carry stays as the file system made it.
bool WriteFileTimes(int fd, const FileTimes& times) {
    const timespec both[2] = {Timespec(times.lastAccess), Timespec(times.lastWrite)};
    return futimens(fd, both) == 0;
}
