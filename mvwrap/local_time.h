// The local time a DOS time in an archive is given in. Times are counts of
// 100 ns steps since 1601, universal or local. How the system converts one is
// its glue's (windows/local_time.cpp, unix/local_time.cpp); remembering the
// bias for times close together is this file's.
#ifndef MVWRAP_LOCAL_TIME_H
#define MVWRAP_LOCAL_TIME_H

#include <stdint.h>

namespace mvwrap {

// The system's conversion, with the bias in force at that date where the
// system knows it.
bool ToLocalTime(uint64_t universal, uint64_t& local);

// The local times of many files, each exactly as ToLocalTime gives it, for
// one Zzip call. The conversion reads the time zone's rules from the
// registry each time (under Wine, round trips to the server), while the
// files of a setup were mostly written within minutes of one another: once
// two times fall into one quarter of an hour whose two ends have the same
// bias, and so no change of bias between them, the times in it take that
// bias without asking.
class LocalTimes {
public:
    bool Convert(uint64_t universal, uint64_t& local);

private:
    enum class Window { kSeen, kProven, kMixed };
    uint64_t window_ = ~0ull;
    Window state_ = Window::kSeen;
    int64_t bias_ = 0;  // local less universal, in 100 ns
};

}  // namespace mvwrap

#endif
