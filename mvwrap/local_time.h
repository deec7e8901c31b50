// The local time a DOS time in an archive is given in. The conversion that
// knows each date's own daylight-saving bias is on the NT line only; which
// conversion is used is decided once, on the first call.
#ifndef MVWRAP_LOCAL_TIME_H
#define MVWRAP_LOCAL_TIME_H

#include <windows.h>
#include <stdint.h>

namespace mvwrap {

bool ToLocalTime(const FILETIME& universal, SYSTEMTIME& local);

// The local times of many files, each exactly as ToLocalTime gives it, for
// one Zzip call. The conversion reads the time zone's rules from the
// registry each time (under Wine, round trips to the server), while the
// files of a setup were mostly written within minutes of one another: once
// two times fall into one quarter of an hour whose two ends have the same
// bias, and so no change of bias between them, the times in it take that
// bias without asking.
class LocalTimes {
public:
    bool Convert(const FILETIME& universal, SYSTEMTIME& local);

private:
    enum class Window { kSeen, kProven, kMixed };
    uint64_t window_ = ~0ull;
    Window state_ = Window::kSeen;
    int64_t bias_ = 0;  // local less universal, in 100 ns
};

}  // namespace mvwrap

#endif
