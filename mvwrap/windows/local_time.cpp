// The Windows conversion to local time: the zone's own bias at that date on
// the NT line, the bias in force today on the 9x line, which lacks it.
#include "local_time.h"

#include <windows.h>

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

const uint64_t kMillisecond = 10000;

uint64_t Ticks(const FILETIME& time) {
    return static_cast<uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

}  // namespace

// Without the zone-specific conversion, FileTimeToLocalFileTime applies the
// bias in force today rather than the one at that date: a summer time read
// in winter comes out an hour off, and the same file's DOS time differs
// between an archive made in summer and one made in winter. The zone's
// conversion goes through whole milliseconds; the bias is whole minutes, so
// the steps below a millisecond are added back as they were.
bool ToLocalTime(uint64_t universal, uint64_t& local) {
    static const ZoneConversion convert = ZoneSpecific();
    const FILETIME time = {static_cast<DWORD>(universal), static_cast<DWORD>(universal >> 32)};
    FILETIME shifted;
    if (convert) {
        SYSTEMTIME system, zoned;
        if (!FileTimeToSystemTime(&time, &system) || !convert(nullptr, &system, &zoned) ||
            !SystemTimeToFileTime(&zoned, &shifted))
            return false;
        local = Ticks(shifted) + universal % kMillisecond;
        return true;
    }
    if (!FileTimeToLocalFileTime(&time, &shifted)) return false;
    local = Ticks(shifted);
    return true;
}

}  // namespace mvwrap
