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

}  // namespace mvwrap
