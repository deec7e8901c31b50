// The names are sorted with "\" before every other character, so that a
// file's name is followed at once by every name that equals it or lies
// below a folder of that name: one pass over neighbours finds each clash,
// however many entries the archive holds.
#include "entry_clashes.h"

namespace stub {

namespace {

uint8_t Rank(char c) { return c == '\\' ? 1 : uint8_t(c); }

bool Before(const char* a, const char* b) {
    while (*a && *a == *b) ++a, ++b;
    return Rank(*a) < Rank(*b);
}

// Shell sort: small, without recursion or memory of its own, and quick
// enough for the 65,535 entries an archive holds at most.
void SortNames(const char* const* names, uint32_t* order, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i) order[i] = i;
    uint32_t gap = 1;
    while (gap < count / 3) gap = 3 * gap + 1;
    for (; gap > 0; gap /= 3) {
        for (uint32_t i = gap; i < count; ++i) {
            uint32_t moved = order[i], at = i;
            for (; at >= gap && Before(names[moved], names[order[at - gap]]); at -= gap)
                order[at] = order[at - gap];
            order[at] = moved;
        }
    }
}

// Whether next is the file's own name, or a name below a folder of it.
bool Covers(const char* file, const char* next) {
    while (*file && *file == *next) ++file, ++next;
    return !*file && (!*next || *next == '\\');
}

}  // namespace

EntryClash FirstClash(const char* const* folded, uint32_t count, uint32_t* order,
                      const text::LeadBytes& lead) {
    SortNames(folded, order, count);
    for (uint32_t i = 0; i + 1 < count; ++i) {
        const char* name = folded[order[i]];
        if (!text::EndsWith(name, '\\', lead) && Covers(name, folded[order[i + 1]]))
            return {int(order[i]), int(order[i + 1])};
    }
    return {-1, -1};
}

}  // namespace stub
