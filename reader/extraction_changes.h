// What an extraction changed in its folder, so that a failed one leaves the
// folder as it was, as a package's own /X: does: the folders it made, the
// files it placed, and the files they replaced, which wait aside under a
// temporary name until the extraction has ended.
#ifndef READER_EXTRACTION_CHANGES_H
#define READER_EXTRACTION_CHANGES_H

#include <string>
#include <utility>
#include <vector>

class ExtractionChanges {
public:
    // The folder and those above it, each one made noted; false when it is
    // not there after.
    bool MakeFolders(const std::string& folder);
    // Moves the whole file at temporary to path, a file there first set
    // aside; false with errno set when it cannot.
    bool Place(const std::string& temporary, const std::string& path);
    // The extraction is whole: what was set aside goes.
    void Keep();
    // The extraction failed: what it placed goes, what it set aside comes
    // back, and the folders it made are removed.
    void TakeBack();

private:
    std::vector<std::string> folders_, placed_;
    std::vector<std::pair<std::string, std::string>> setAside_;  // the file's place, its aside name
};

#endif
