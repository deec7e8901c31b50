// Full paths are made as GetFullPathName makes them: from the current
// folder and the path's own words, "." and ".." taken away, links left
// as they are. Slashes are single bytes in every code page the Create
// works in, never the second byte of a character, so the words can be
// split byte by byte.
#include "folder_paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "unix/system_text.h"

std::string FullPath(const std::string& path) {
    std::string whole = path;
    if (whole.empty() || whole[0] != '/') {
        std::vector<char> here(4096);
        if (!getcwd(here.data(), here.size())) return path;
        whole = std::string(here.data()) + "/" + path;
    }
    std::vector<std::string> words;
    std::string::size_type at = 0;
    while (at <= whole.size()) {
        std::string::size_type end = whole.find('/', at);
        if (end == std::string::npos) end = whole.size();
        const std::string word = whole.substr(at, end - at);
        if (word == "..") {
            if (!words.empty()) words.pop_back();
        } else if (!word.empty() && word != ".") {
            words.push_back(word);
        }
        at = end + 1;
    }
    std::string full;
    for (const std::string& word : words) full += "/" + word;
    return full.empty() ? "/" : full;
}

PathKind KindOfPath(const std::string& path) {
    std::string system;
    struct stat status;
    if (!CodePageToSystem(path, system) || stat(system.c_str(), &status) != 0)
        return PathKind::kMissing;
    return S_ISDIR(status.st_mode) ? PathKind::kFolder : PathKind::kFile;
}
