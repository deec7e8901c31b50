#include "dos_time.h"

namespace mvwrap {

// Days to dates by the proleptic Gregorian calendar in eras of 400 years,
// which begin on 1 March so that the leap day ends each year.
CalendarTime CalendarOf(uint64_t ticks) {
    const uint64_t seconds = ticks / 10000000;
    const int64_t days = static_cast<int64_t>(seconds / 86400) + 584694;  // from 0000-03-01
    const int64_t era = days / 146097, ofEra = days % 146097;
    const int64_t yearOfEra = (ofEra - ofEra / 1460 + ofEra / 36524 - ofEra / 146096) / 365;
    const int64_t dayOfYear = ofEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;  // 0 is March
    const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    const int64_t ofDay = static_cast<int64_t>(seconds % 86400);
    return {static_cast<int>(era * 400 + yearOfEra + (month <= 2 ? 1 : 0)),
            month,
            static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1),
            static_cast<int>(ofDay / 3600),
            static_cast<int>(ofDay / 60 % 60),
            static_cast<int>(ofDay % 60)};
}

DosTime ToDosTime(const CalendarTime& local) {
    if (local.year < 1980) return {0, (1 << 5) | 1};
    if (local.year > 2107) return {(23 << 11) | (59 << 5) | (58 / 2), (127 << 9) | (12 << 5) | 31};
    DosTime dos;
    dos.time = static_cast<uint16_t>((local.hour << 11) | (local.minute << 5) | (local.second / 2));
    dos.date = static_cast<uint16_t>(((local.year - 1980) << 9) | (local.month << 5) | local.day);
    return dos;
}

uint8_t ToDosAttributes(uint32_t attributes) {
    const uint32_t kept = 0x01 | 0x02 | 0x04 | 0x10 | 0x20;  // R, H, S, folder, A
    return static_cast<uint8_t>(attributes & kept);
}

}  // namespace mvwrap
