// What both stubs check of the archive before they use it: its names as the
// platform's ANSI file functions take them, and the words for an entry whose
// data cannot be unpacked.
#ifndef STUBS_ARCHIVE_NAMES_H
#define STUBS_ARCHIVE_NAMES_H

#include "entry_data.h"
#include "zip_directory.h"

namespace stub {

// Turns the UTF-8 names into the ANSI code page. False when a name is not
// well-formed (why empty) or has a character that code page cannot hold
// (why says so in one sentence, 1,024 bytes at most): that file could not
// be written by its name here.
bool NamesToAnsi(ZipDirectory& directory, char* why);

// The UTF-16 text (terminated) in the code page, into room bytes; false
// when the code page does not give these very characters back from them.
bool HeldAs(unsigned codePage, const uint16_t* wide, char* bytes, int room);

// The first entry whose name would be written outside the folder, or -1.
int FirstUnsafeEntry(const ZipDirectory& directory);

// Whether two of the (ANSI) names would be written as one file or a file
// where a folder must be: why then says which, in one sentence, as it does
// when there is not the memory to tell.
bool EntriesClash(const ZipDirectory& directory, char* why);

// One sentence on why the entry's data could not be unpacked, for every
// result but kOk and kWriteFailed (which only the writer can describe).
void DescribeUnpackFault(UnpackResult result, const char* name, char* why);

}  // namespace stub

#endif
