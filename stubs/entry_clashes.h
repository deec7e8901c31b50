// Entries that one folder cannot hold side by side: the file system knows no
// letter case, so "a.txt" and "A.TXT" are one file, and "x" cannot be a
// file and the folder of "x\y.txt" at once. Pure: the names come folded to
// one letter case by the caller, who knows the code page.
#ifndef STUBS_ENTRY_CLASHES_H
#define STUBS_ENTRY_CLASHES_H

#include <stdint.h>

#include "code_page_text.h"

namespace stub {

struct EntryClash {
    int file;   // a file entry (its name ends in no "\"), -1 when nothing clashes
    int other;  // the entry of the same name, or the one below a folder of that name
};

// The first clash among the folded names ("\" separators, a trailing one for
// a folder entry), by the names' order. order has room for count numbers and
// is the work space of the sort. Two folder entries of one name do not
// clash: the folder is made once. The names are walked by the characters of
// the code page whose lead bytes are given.
EntryClash FirstClash(const char* const* folded, uint32_t count, uint32_t* order,
                      const text::LeadBytes& lead);

}  // namespace stub

#endif
