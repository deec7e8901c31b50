// What the system lists about files and folders, in the component's own
// terms: names in UTF-16, attributes as Windows numbers them (the archive
// keeps them in that form), times as 100 ns steps since 1601. Each system's
// glue decides what a listing shows (windows/, unix/): natively that is
// what Wine shows for the same Linux files, so that both builds write the
// same archive.
#ifndef MVWRAP_FOLDER_LISTING_H
#define MVWRAP_FOLDER_LISTING_H

#include <stdint.h>

#include <string>
#include <vector>

namespace mvwrap {

const uint32_t kReadOnlyAttribute = 0x01;
const uint32_t kHiddenAttribute = 0x02;
const uint32_t kSystemAttribute = 0x04;
const uint32_t kFolderAttribute = 0x10;
const uint32_t kArchiveAttribute = 0x20;
// A folder that is a link to another place.
const uint32_t kLinkAttribute = 0x400;

struct ListedEntry {
    std::wstring name;
    uint32_t attributes = 0;
    uint64_t written = 0;
    uint64_t created = 0;
    uint64_t size = 0;
    // A file or folder the system lists but the archive cannot hold or the
    // component cannot read as its name says: refused by name, as `shown`
    // shows it, before anything is written.
    bool refused = false;
    std::wstring shown;
};

// The files and folders of `folder` (ending in a separator) whose names
// match `pattern` ("*", "*.*", "*.txt"), "." and ".." left out, in the order
// the system lists them. False, with LastError() telling why, when the
// folder cannot be listed; a folder that holds no match gives none.
bool ListFolder(const std::wstring& folder, const std::wstring& pattern,
                std::vector<ListedEntry>& entries);

// The file at `path` as its folder lists it: its name as the system holds
// it (a path spelled with short names gives the long one).
bool LookUp(const std::wstring& path, ListedEntry& entry);

// Attributes, size and times of the file or folder at `path`, asked of the
// file itself rather than of its folder's listing.
bool PathDetails(const std::wstring& path, ListedEntry& details);

bool IsFolder(const std::wstring& path);

}  // namespace mvwrap

#endif
