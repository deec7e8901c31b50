// Listing a folder by pattern: the entries the system shows for it, with
// what the Create asks of each. The glue decides what counts as hidden and
// how a pattern matches; the steps ask no further question.
#ifndef PACKAGE_FOLDER_SEARCH_H
#define PACKAGE_FOLDER_SEARCH_H

#include <cstdint>
#include <functional>
#include <string>

struct FoundEntry {
    std::string name;  // as the folder holds it, letter case included
    uint32_t attributes = 0;  // file_attributes.h
    uint64_t length = 0;
};

// Visits the entries that pattern (a folder path and a file name pattern,
// wildcards "*" and "?" taking effect) finds, until visit returns false.
// False when nothing was found.
bool SearchFolder(const std::string& pattern,
                  const std::function<bool(const FoundEntry&)>& visit);

// The one entry at path, a path without wildcards; false when there is none.
bool FindEntry(const std::string& path, FoundEntry& entry);

#endif
