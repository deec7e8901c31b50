#include "local_time.h"

namespace mvwrap {

namespace {

const uint64_t kWindow = 15ull * 60 * 10000000;  // 100 ns steps
const uint64_t kMillisecond = 10000;
// Where Windows' calendar ends (in the year 30828): it has no local time
// for later times, and neither has the component on any system.
const uint64_t kCalendarEnd = 1ull << 63;

// The bias at a time of whole milliseconds, which every conversion keeps.
bool BiasAt(uint64_t ticks, int64_t& bias) {
    uint64_t local = 0;
    if (!ToLocalTime(ticks, local)) return false;
    bias = static_cast<int64_t>(local - ticks);
    return true;
}

}  // namespace

// A bias is a whole number of minutes: adding it gives what the conversion
// would have given, to the 100 ns.
bool LocalTimes::Convert(uint64_t universal, uint64_t& local) {
    const uint64_t window = universal / kWindow;
    if (window == window_ && state_ == Window::kSeen) {
        int64_t first = 0, last = 0;
        const bool same = BiasAt(window * kWindow, first) &&
                          BiasAt((window + 1) * kWindow - kMillisecond, last) && first == last;
        state_ = same ? Window::kProven : Window::kMixed;
        bias_ = first;
    }
    if (window == window_ && state_ == Window::kProven) {
        local = universal + static_cast<uint64_t>(bias_);
    } else {
        if (window != window_) {
            window_ = window;
            state_ = Window::kSeen;
        }
        if (!ToLocalTime(universal, local)) return false;
    }
    return local < kCalendarEnd;
}

}  // namespace mvwrap
