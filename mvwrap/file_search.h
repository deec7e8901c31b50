// Finding the files and folders that one Zzip call adds, in archive order:
// within a folder its files in name order, then each subfolder in name order
// with everything below it. A folder that contributes nothing else is listed
// itself, so that an empty folder survives the trip through the archive.
#ifndef MVWRAP_FILE_SEARCH_H
#define MVWRAP_FILE_SEARCH_H

#include <stdint.h>

#include <functional>
#include <string>

#include "folder_listing.h"
#include "options.h"

namespace mvwrap {

struct FoundFile {
    std::wstring path;  // full path
    std::wstring name;  // relative to the searched folder, "\" separators; folders end in "\"
    uint32_t attributes;
    uint64_t written;  // 100 ns steps since 1601
    uint64_t created;
    uint64_t size;  // as listed: the file is not asked again
    bool IsFolder() const { return (attributes & kFolderAttribute) != 0; }
};

// Searches `folder` (ending in a separator) for files matching `files`, and
// its subfolders down to `depth` levels (-1: all), handing each to `found`
// in archive order as soon as its folder is listed, so that the files can be
// read while the search goes on. Each file's attributes, times and size come
// from the folder's listing. Hidden and system files and folders are left
// out unless the options ask for them; links to other folders are never
// followed. Returns 0 or an error number naming the folder, or the file or
// folder to be taken whose name is a device's (refused before anything is
// written: a device would be read in its place) or that the system refuses
// (folder_listing.h).
int32_t FindFiles(const std::wstring& folder, const std::wstring& files, int depth,
                  const ZipOptions& options, const std::function<void(FoundFile&&)>& found);

}  // namespace mvwrap

#endif
