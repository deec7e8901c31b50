// An extraction that can be taken back. Every change it makes to its target
// is noted: the folders it makes, the files it writes, and the files of the
// same names that were there before, which are kept aside under temporary
// names in their own folders until the extraction is done. Each file is
// written under a temporary name first and put in place only when whole,
// so that a file there before is never half overwritten.
#ifndef STUBS_TAKEBACK_H
#define STUBS_TAKEBACK_H

#include <windows.h>

#include <stdint.h>

#include "win_handles.h"

namespace stub {

class Takeback {
public:
    Takeback() = default;
    // Forgets what was noted; the files kept aside are left where they are
    // unless Keep() or TakeBack() came first.
    ~Takeback();
    Takeback(const Takeback&) = delete;
    Takeback& operator=(const Takeback&) = delete;

    // Makes the folder and those above it; false when it is not there after
    // or what was made could not be noted.
    bool MakeFolders(const char* folder);
    // A new file under a temporary name in the folder of path, for writing;
    // temporary (MAX_PATH characters of room) gets its name. Invalid when
    // none could be made, the platform's error then being the last one.
    FileHandle NewFile(const char* path, char* temporary);
    // Puts the whole file in place of the path; a file there before is kept
    // aside. False, with the temporary file removed, when it cannot.
    bool Place(const char* temporary, const char* path);

    // Done: the files kept aside are removed.
    void Keep();
    // Failed: the files written are removed, those kept aside put back, the
    // folders made removed, last change first.
    void TakeBack();

private:
    enum Kind : char { kFolder = 'D', kNewFile = 'N', kReplaced = 'R' };
    bool Note(Kind kind, const char* path, const char* aside);
    const char* Record(uint32_t index) const { return text_ + offsets_[index]; }

    char* text_ = nullptr;  // records: kind, path, NUL, aside path, NUL
    uint32_t textLength_ = 0, textRoom_ = 0;
    uint32_t* offsets_ = nullptr;
    uint32_t count_ = 0, countRoom_ = 0;
    uint32_t lastName_ = 0;  // the number of the last temporary name tried
};

}  // namespace stub

#endif
