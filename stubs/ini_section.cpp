// Text only, so that the file's reading and writing stay with the platform code.
#include "ini_section.h"

#include <string.h>

namespace stub {

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

// Whether the line starting at text opens the named section.
bool OpensSection(const char* text, const char* end, const char* section) {
    while (text < end && (*text == ' ' || *text == '\t')) ++text;
    if (text == end || *text++ != '[') return false;
    for (; *section; ++section, ++text)
        if (text == end || Lower(*text) != Lower(*section)) return false;
    return text < end && *text == ']';
}

const char* NextLine(const char* text, const char* end) {
    while (text < end && *text != '\n') ++text;
    return text < end ? text + 1 : end;
}

bool OpensAnySection(const char* text, const char* end) {
    while (text < end && (*text == ' ' || *text == '\t')) ++text;
    return text < end && *text == '[';
}

class Writer {
public:
    Writer(char* out, size_t room) : out_(out), room_(room) {}
    void Put(const char* bytes, size_t length) {
        if (length > room_ - used_) {
            full_ = true;
            return;
        }
        memcpy(out_ + used_, bytes, length);
        used_ += length;
    }
    void Put(const char* text) { Put(text, strlen(text)); }
    // A new line starts here unless the text so far ends one.
    void EndLine() {
        if (used_ > 0 && out_[used_ - 1] != '\n') Put("\r\n");
    }
    size_t Length() const { return full_ ? 0 : used_; }

private:
    char* out_;
    size_t room_, used_ = 0;
    bool full_ = false;
};

}  // namespace

size_t AddSectionLine(const char* text, size_t length, const char* section, const char* line,
                      char* out, size_t room) {
    const char* end = text + length;
    const char* at = text;
    while (at < end && !OpensSection(at, end, section)) at = NextLine(at, end);
    bool found = at < end;
    if (found) {
        at = NextLine(at, end);
        while (at < end && !OpensAnySection(at, end)) at = NextLine(at, end);
    }
    Writer writer(out, room);
    writer.Put(text, size_t(at - text));
    writer.EndLine();
    if (!found) {
        writer.Put("[");
        writer.Put(section);
        writer.Put("]\r\n");
    }
    writer.Put(line);
    writer.Put("\r\n");
    writer.Put(at, size_t(end - at));
    return writer.Length();
}

}  // namespace stub
