// What the file dialog remembers between its uses in one run: the filter
// list, the filter text built from it and the last chosen extension. Pure:
// no platform calls, so each step is testable as a table.
#ifndef APP_FILE_FILTERS_H
#define APP_FILE_FILTERS_H

#include <cstdint>
#include <string>
#include <vector>

// The filter text is kept to this many characters.
constexpr std::string::size_type MaxFilterText = 179;
// The last extension is kept to this many characters.
constexpr std::string::size_type MaxExtensionText = 5;

// Empty at program start. Each filter item is a description and a pattern
// joined by "|", such as "Executable files(*.exe)|*.exe".
struct FileDialogMemory {
    std::vector<std::string> filterList;
    std::string filterText;
    std::string lastExtension;
};

// The items joined by "|". The filter index (numbered from 1) moves to the
// last item holding "." and the extension, ignoring case; with none it stays.
std::string BuildFilterText(const std::vector<std::string>& filterList,
                            const std::string& lastExtension, uint16_t& filterIndex);

// Before a dialog: takes the caller's filters on first use, "*" for a missing
// extension, and builds the filter text and the index to start on.
void PrepareFilters(FileDialogMemory& memory, const std::vector<std::string>& callerFilters,
                    uint16_t& filterIndex);

// After a dialog: what its caller gets for the name the user chose (empty
// for a cancel or a name with "*"). Remembers the extension and adds a
// filter item for an extension that no item names yet.
std::string TakeChoice(FileDialogMemory& memory, const std::string& fileName);

// The filter text as the platform's dialog reads it: NUL between the parts,
// a NUL after the last, cut to 255 bytes (the closing NUL comes on top).
std::string DialogFilterText(const std::string& filterText);

#endif
