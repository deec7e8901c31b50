#include "local_time.h"

namespace mvwrap {

namespace {

// decltype names the function's type without importing it.
using ZoneConversion = decltype(&SystemTimeToTzSpecificLocalTime);

// Looked up rather than imported: 95, 98 and ME lack it, and an import would
// keep the DLL from loading there at all.
ZoneConversion ZoneSpecific() {
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    FARPROC found = kernel ? GetProcAddress(kernel, "SystemTimeToTzSpecificLocalTime") : nullptr;
    return reinterpret_cast<ZoneConversion>(reinterpret_cast<void*>(found));
}

const uint64_t kWindow = 15ull * 60 * 10000000;  // 100 ns steps
const uint64_t kMillisecond = 10000;

uint64_t Ticks(const FILETIME& time) {
    return static_cast<uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

FILETIME FromTicks(uint64_t ticks) {
    return {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

// The bias at a time of whole milliseconds, which the conversion keeps.
bool BiasAt(uint64_t ticks, int64_t& bias) {
    SYSTEMTIME local;
    FILETIME shifted;
    if (!ToLocalTime(FromTicks(ticks), local) || !SystemTimeToFileTime(&local, &shifted))
        return false;
    bias = static_cast<int64_t>(Ticks(shifted) - ticks);
    return true;
}

}  // namespace

// Without the zone-specific conversion, FileTimeToLocalFileTime applies the
// bias in force today rather than the one at that date: a summer time read
// in winter comes out an hour off, and the same file's DOS time differs
// between an archive made in summer and one made in winter.
bool ToLocalTime(const FILETIME& universal, SYSTEMTIME& local) {
    static const ZoneConversion convert = ZoneSpecific();
    if (convert) {
        SYSTEMTIME system;
        return FileTimeToSystemTime(&universal, &system) && convert(nullptr, &system, &local);
    }
    FILETIME shifted;
    return FileTimeToLocalFileTime(&universal, &shifted) && FileTimeToSystemTime(&shifted, &local);
}

// A bias is a whole number of minutes, so adding it keeps the milliseconds
// the conversion would have kept.
bool LocalTimes::Convert(const FILETIME& universal, SYSTEMTIME& local) {
    const uint64_t ticks = Ticks(universal);
    const uint64_t window = ticks / kWindow;
    if (window == window_ && state_ == Window::kSeen) {
        int64_t first = 0, last = 0;
        const bool same = BiasAt(window * kWindow, first) &&
                          BiasAt((window + 1) * kWindow - kMillisecond, last) && first == last;
        state_ = same ? Window::kProven : Window::kMixed;
        bias_ = first;
    }
    if (window == window_ && state_ == Window::kProven) {
        const FILETIME shifted = FromTicks(ticks + static_cast<uint64_t>(bias_));
        return FileTimeToSystemTime(&shifted, &local) != 0;
    }
    if (window != window_) {
        window_ = window;
        state_ = Window::kSeen;
    }
    return ToLocalTime(universal, local);
}

}  // namespace mvwrap
