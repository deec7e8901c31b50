// Converting a file's time and attributes to the forms a zip header holds.
// Pure arithmetic, so that the rules can be checked with plain tables.
#ifndef MVWRAP_DOS_TIME_H
#define MVWRAP_DOS_TIME_H

#include <stdint.h>

namespace mvwrap {

// A local calendar time as the platform gives it.
struct CalendarTime {
    int year, month, day, hour, minute, second;
};

struct DosTime {
    uint16_t time;
    uint16_t date;
};

// The calendar time of a count of 100 ns steps since 1601 (the platform's
// file times), to the second: the local time of a file once its bias is
// added.
CalendarTime CalendarOf(uint64_t ticks);

// DOS time counts seconds in twos: an odd second is rounded down, so that the
// stored time is never later than the file's. Years outside 1980..2107 cannot
// be held and are clamped to the nearest time that can.
DosTime ToDosTime(const CalendarTime& local);

// The attribute byte of a zip entry: read-only, hidden, system, folder and
// archive; every other platform attribute is dropped.
uint8_t ToDosAttributes(uint32_t attributes);

}  // namespace mvwrap

#endif
