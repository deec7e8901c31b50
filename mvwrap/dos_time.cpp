#include "dos_time.h"

namespace mvwrap {

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
