// Folder listings natively. A name without wildcards is the one file of
// that name, as Linux spells it; a pattern matches the names of its folder
// ignoring ASCII case, "*.*" every name, as Wine matches a pattern against
// Linux names. Names the code page cannot hold are not listed: no Create
// can name them.
#include "folder_search.h"

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <memory>

#include "path_helpers.h"
#include "system_names.h"
#include "unix_attributes.h"

namespace {

bool Entry(const std::string& name, const std::string& systemPath, FoundEntry& entry) {
    struct stat status;
    if (stat(systemPath.c_str(), &status) != 0 && lstat(systemPath.c_str(), &status) != 0)
        return false;
    entry.name = name;
    entry.attributes = AttributesOf(name, systemPath.c_str(), status);
    entry.length = S_ISDIR(status.st_mode) ? 0 : static_cast<uint64_t>(status.st_size);
    return true;
}

}  // namespace

bool SearchFolder(const std::string& pattern,
                  const std::function<bool(const FoundEntry&)>& visit) {
    const std::string folder = FolderPart(pattern), name = FileNamePart(pattern);
    std::string systemFolder, systemName;
    if (name.empty() || !ToSystemName(folder, systemFolder) || !ToSystemName(name, systemName))
        return false;
    FoundEntry entry;
    if (name.find_first_of("*?") == std::string::npos) {
        if (!Entry(name, systemFolder + systemName, entry)) return false;
        visit(entry);
        return true;
    }
    if (systemName == "*.*") systemName = "*";
    std::unique_ptr<DIR, int (*)(DIR*)> listing(
        opendir(systemFolder.empty() ? "." : systemFolder.c_str()), closedir);
    if (!listing) return false;
    bool found = false;
    while (const dirent* at = readdir(listing.get())) {
        if (fnmatch(systemName.c_str(), at->d_name, FNM_CASEFOLD) != 0) continue;
        std::string text;
        if (!FromSystemName(at->d_name, text) || !Entry(text, systemFolder + at->d_name, entry))
            continue;
        found = true;
        if (!visit(entry)) break;
    }
    return found;
}
