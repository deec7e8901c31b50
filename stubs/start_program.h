// Which archived program the record names as the start program, when the
// machine that made the package may have had another ANSI code page than
// this one: the record's bytes are read in this system's code page first,
// then in each other ANSI code page the system has.
#ifndef STUBS_START_PROGRAM_H
#define STUBS_START_PROGRAM_H

#include "package_constants.h"
#include "zip_directory.h"

namespace stub {

// The directory's names in one code page; a name the code page cannot hold
// is empty. Owns their text.
class CodePageNames {
public:
    CodePageNames() {}
    ~CodePageNames();
    CodePageNames(const CodePageNames&) = delete;
    CodePageNames& operator=(const CodePageNames&) = delete;

    // False without the memory.
    bool Fill(const ZipDirectory& directory, unsigned codePage);
    const char* const* Names() const { return names_; }
    // Turns names in this system's code page into capitals, as its file
    // names compare.
    void FoldCase();

private:
    void Clear();

    char* text_ = nullptr;
    const char** names_ = nullptr;
    unsigned long length_ = 0;
};

struct RecordedStart {
    int index;                 // the entry; -1 none, kStartProgramsDisagree
    bool named;                // whether the record names a start program
    unsigned codePage;         // the code page the record is read in
    const char* const* names;  // the directory's names in that code page
};

// The start program: the entry that the record spells in this system's
// code page, or else the one entry that every other code page in which the
// record spells one agrees on. `other` holds the names when they are not
// the directory's own.
// In spanned packages the piece count hides positions 90 to 92.
void FindRecordedStart(const char record[RecordLength], const ZipDirectory& directory, bool spanned,
                       CodePageNames& other, RecordedStart& start);

// Whether the password typed here (in this system's code page) is the one
// the record holds. The record holds it in the code page of the machine
// that made the package, which the names cannot tell when the start
// program's is plain ASCII (or there is none): it is tried in every code
// page that holds the typed characters and in which the record names the
// same start program.
bool RightPassword(const char record[RecordLength], const ZipDirectory& directory,
                   const RecordedStart& start, bool spanned, const char* typed);

}  // namespace stub

#endif
