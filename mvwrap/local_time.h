// The local time a DOS time in an archive is given in. The conversion that
// knows each date's own daylight-saving bias is on the NT line only; which
// conversion is used is decided once, on the first call.
#ifndef MVWRAP_LOCAL_TIME_H
#define MVWRAP_LOCAL_TIME_H

#include <windows.h>

namespace mvwrap {

bool ToLocalTime(const FILETIME& universal, SYSTEMTIME& local);

}  // namespace mvwrap

#endif
