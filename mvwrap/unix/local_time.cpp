// The POSIX conversion to local time, as Windows and Wine convert: the
// zone's rules of the current year (when summer time begins and ends, and
// the two biases) apply to every year, as the one TIME_ZONE_INFORMATION
// that SystemTimeToTzSpecificLocalTime asks does, and not the C library's
// history of the zone: a file of a summer before 1980 gets summer time in
// Germany as it does under Wine. The rules are read from the C library's
// zone (TZ, or the system's) once.
#include "local_time.h"

#include <time.h>

namespace mvwrap {

namespace {

const uint64_t kTicksPerSecond = 10000000;
const int64_t kSecondsTo1970 = 11644473600;  // from 1601
const int64_t kDay = 24 * 3600;

// A change of bias as Windows states it: in a month, on its n-th (5: last)
// weekday of a kind, at a time of day in the bias before the change.
struct Change {
    int month;  // 1 to 12
    int week;
    int weekday;  // 0 Sunday
    int64_t second;
};

struct Rules {
    int64_t standard = 0;  // local less universal, in seconds
    int64_t summer = 0;
    bool changes = false;
    Change toSummer{}, toStandard{};
};

int64_t OffsetAt(time_t at) {
    struct tm zoned;
    return localtime_r(&at, &zoned) ? zoned.tm_gmtoff : 0;
}

int64_t DayOf(int year, int month, int day) {
    struct tm date = {};
    date.tm_year = year - 1900;
    date.tm_mon = month - 1;
    date.tm_mday = day;
    return static_cast<int64_t>(timegm(&date)) / kDay;
}

// The change that happens between `before` and an hour later.
Change ChangeAt(time_t before, int64_t oldOffset) {
    while (OffsetAt(before + 60) == oldOffset) before += 60;
    const time_t local = before + 60 + static_cast<time_t>(oldOffset);
    struct tm at;
    gmtime_r(&local, &at);
    const int days = static_cast<int>(DayOf(at.tm_year + 1900, at.tm_mon + 2, 1) -
                                      DayOf(at.tm_year + 1900, at.tm_mon + 1, 1));
    return {at.tm_mon + 1, at.tm_mday + 7 > days ? 5 : (at.tm_mday - 1) / 7 + 1, at.tm_wday,
            at.tm_hour * 3600 + at.tm_min * 60};
}

// This year's changes, found hour by hour.
Rules ReadRules() {
    Rules rules;
    const time_t now = time(nullptr);
    struct tm today;
    gmtime_r(&now, &today);
    const time_t start = static_cast<time_t>(DayOf(today.tm_year + 1900, 1, 1) * kDay);
    const time_t end = static_cast<time_t>(DayOf(today.tm_year + 1901, 1, 1) * kDay);
    rules.standard = rules.summer = OffsetAt(start);
    for (time_t hour = start; hour < end; hour += 3600) {
        const int64_t before = OffsetAt(hour), after = OffsetAt(hour + 3600);
        if (before == after) continue;
        const Change change = ChangeAt(hour, before);
        rules.changes = true;
        if (after > before) {
            rules.standard = before;
            rules.summer = after;
            rules.toSummer = change;
        } else {
            rules.summer = before;
            rules.standard = after;
            rules.toStandard = change;
        }
    }
    return rules;
}

// The universal time of a change in a year.
int64_t WhenIn(int year, const Change& change, int64_t offsetBefore) {
    const int64_t first = DayOf(year, change.month, 1);
    const int64_t days = DayOf(year, change.month + 1, 1) - first;
    const int firstWeekday = static_cast<int>((first % 7 + 7 + 4) % 7);  // 1970-01-01: Thursday
    int64_t day = (change.weekday - firstWeekday + 7) % 7 + 7 * (change.week - 1);
    while (day >= days) day -= 7;
    return (first + day) * kDay + change.second - offsetBefore;
}

}  // namespace

bool ToLocalTime(uint64_t universal, uint64_t& local) {
    static const Rules rules = ReadRules();
    const int64_t seconds = static_cast<int64_t>(universal / kTicksPerSecond) - kSecondsTo1970;
    int64_t offset = rules.standard;
    if (rules.changes) {
        const time_t standardLocal = static_cast<time_t>(seconds + rules.standard);
        struct tm at;
        if (!gmtime_r(&standardLocal, &at)) return false;
        const int year = at.tm_year + 1900;
        const int64_t summerFrom = WhenIn(year, rules.toSummer, rules.standard);
        const int64_t summerTo = WhenIn(year, rules.toStandard, rules.summer);
        const bool summer = summerFrom < summerTo ? seconds >= summerFrom && seconds < summerTo
                                                  : seconds >= summerFrom || seconds < summerTo;
        if (summer) offset = rules.summer;
    }
    local = universal + static_cast<uint64_t>(offset * static_cast<int64_t>(kTicksPerSecond));
    return true;
}

}  // namespace mvwrap
