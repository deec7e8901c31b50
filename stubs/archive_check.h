// What refuses a package before a byte of it is written, asked alike by the
// install and by /T, so that /T calls complete exactly the packages whose
// names the install takes: names this system can hold, that stay inside
// their folder and open no device, that do not clash with one another, and
// a start program the record names that is among the files.
#ifndef STUBS_ARCHIVE_CHECK_H
#define STUBS_ARCHIVE_CHECK_H

#include "package_constants.h"
#include "start_program.h"
#include "zip_directory.h"

namespace stub {

// The room of the sentence CheckArchiveNames gives (what wsprintfA writes
// at most).
const int kWhyRoom = 1024;

// The sentence for an archive whose directory or names cannot be read.
extern const char kFilesUnreadable[];

// Turns the names into the ANSI code page and checks them, and finds the
// start program (in start; names then owns the names when they are another
// code page's). The start program is checked unless only extracted
// (extractOnly). False with the fault in why, one sentence.
bool CheckArchiveNames(ZipDirectory& directory, const char record[RecordLength], bool spanned,
                       bool extractOnly, CodePageNames& names, RecordedStart& start, char* why);

}  // namespace stub

#endif
