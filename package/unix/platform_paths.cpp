// Path questions natively: a search of the folder as Wine would show it,
// the program's own link in /proc, and folders made one level at a time.
#include "platform_paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include "ansi_code_page.h"
#include "file_attributes.h"
#include "file_operations.h"
#include "folder_search.h"
#include "path_separator.h"
#include "system_names.h"

bool FileExists(const std::string& path) {
    std::string pattern = path;
    if (text::EndsWith(pattern.c_str(), kPathSeparator, text::AnsiLeadBytes())) pattern += "*.*";
    bool found = false;
    SearchFolder(pattern, [&found](const FoundEntry& entry) {
        const uint32_t excluded = AttributeHidden | AttributeSystem | AttributeFolder;
        found = entry.name != "." && entry.name != ".." && (entry.attributes & excluded) == 0;
        return !found;
    });
    return found;
}

std::string ProgramPath() {
    char buffer[4096];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    std::string path;
    if (length <= 0 || !FromSystemName(std::string(buffer, size_t(length)), path)) return "";
    return path;
}

// By characters: the second byte of a double-byte character ends no folder.
void MakeFoldersAbove(const std::string& path) {
    const text::LeadBytes& lead = text::AnsiLeadBytes();
    const char* previous = nullptr;
    for (const char* at = path.c_str(); *at; previous = at, at = text::NextCharacter(at, lead)) {
        if (*at == kPathSeparator && previous && *previous != kPathSeparator)
            MakeFolder(path.substr(0, size_t(at - path.c_str())));
    }
}

void MakeSureFoldersExist(const std::string& path) { MakeFoldersAbove(path); }
