// Command line parsing shared by both stubs.
#include "command_line.h"

#include <string.h>

namespace stub {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
char Upper(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

bool Copy(char* to, const char* from) {
    size_t length = strlen(from);
    if (length >= kArgumentRoom) return false;
    memcpy(to, from, length + 1);
    return true;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

bool NextArgument(const char*& cursor, char* argument, uint32_t room, bool* tooLong) {
    while (IsBlank(*cursor)) ++cursor;
    if (!*cursor) return false;
    uint32_t length = 0;
    bool quoted = false, cut = false;
    for (; *cursor && (quoted || !IsBlank(*cursor)); ++cursor) {
        if (*cursor == '"') {
            quoted = !quoted;
            continue;
        }
        if (length + 1 < room)
            argument[length++] = *cursor;
        else
            cut = true;
    }
    argument[length] = 0;
    if (tooLong) *tooLong = cut;
    return true;
}

const char* SkipProgramName(const char* commandLine) {
    // Room for the terminator only: the name is skipped, not kept.
    char ignored[1];
    const char* cursor = commandLine;
    NextArgument(cursor, ignored, sizeof ignored);
    return cursor;
}

bool ParsePackageSwitches(const char* arguments, PackageSwitches& switches) {
    memset(&switches, 0, sizeof switches);
    char argument[kArgumentRoom];
    const char* cursor = arguments;
    bool allKnown = true, tooLong = false;
    while (NextArgument(cursor, argument, sizeof argument, &tooLong)) {
        bool known = false;
        if (!tooLong && (argument[0] == '/' || argument[0] == '-') && argument[1]) {
            char letter = Upper(argument[1]);
            const char* value = argument + 2;
            bool plain = !*value;
            bool withValue = *value == ':';
            bool all = letter == 'Q' && withValue && Upper(value[1]) == 'A' && !value[2];
            if (letter == '?' && plain && !switches.help) {
                switches.help = known = true;
            } else if (letter == 'Q' && plain && !switches.quiet) {
                switches.quiet = known = true;
            } else if (all && !switches.quiet) {
                switches.quiet = known = true;
            } else if (letter == 'T' && plain && !switches.test) {
                switches.test = known = true;
            } else if (letter == 'L' && withValue && value[1] && !switches.logGiven) {
                switches.logGiven = known = Copy(switches.log, value + 1);
            } else if (letter == 'X' && withValue && value[1] && !switches.extractOnly) {
                switches.extractOnly = known = Copy(switches.folder, value + 1);
            } else if (letter == 'P' && withValue && !switches.passwordGiven) {
                switches.passwordGiven = known = Copy(switches.password, value + 1);
            }
            // Even given twice or beside a fault, /Q:A asks for no window:
            // the fault is then told in the log only.
            if (all) switches.quietAll = true;
        }
        if (!known && allKnown) {
            Copy(switches.unknown, argument);
            switches.tooLong = tooLong;
            allKnown = false;
        }
    }
    return allKnown;
}

LineWriter::LineWriter(char* text, uint32_t room) : text_(text), room_(room) {
    if (room_) text_[0] = 0;
    fits_ = room_ > 0;
}

LineWriter& LineWriter::operator<<(const char* part) {
    uint32_t length = uint32_t(strlen(part));
    needed_ += length;
    if (fits_ && length < room_ - length_) {
        memcpy(text_ + length_, part, length + 1);
        length_ += length;
    } else {
        fits_ = false;
    }
    return *this;
}

void ToHex(const void* bytes, uint32_t length, char* hex) {
    static const char kDigits[] = "0123456789ABCDEF";
    const unsigned char* p = static_cast<const unsigned char*>(bytes);
    for (uint32_t i = 0; i < length; ++i) {
        hex[2 * i] = kDigits[p[i] >> 4];
        hex[2 * i + 1] = kDigits[p[i] & 15];
    }
    hex[2 * length] = 0;
}

bool FromHex(const char* hex, void* bytes, uint32_t length) {
    if (strlen(hex) != 2 * size_t(length)) return false;
    unsigned char* p = static_cast<unsigned char*>(bytes);
    for (uint32_t i = 0; i < length; ++i) {
        int high = HexDigit(hex[2 * i]), low = HexDigit(hex[2 * i + 1]);
        if (high < 0 || low < 0) return false;
        p[i] = static_cast<unsigned char>(high << 4 | low);
    }
    return true;
}

}  // namespace stub
