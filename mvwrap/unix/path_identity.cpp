// A file's identity natively: its device and inode, as stat gives them for
// the file a path leads to. Full paths are made without asking the file
// system, as Windows makes them: "." and ".." are resolved by their text.
#include "path_identity.h"

#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "text_codes.h"

namespace mvwrap {

bool PathIdentity(const std::wstring& path, PathId& identity) {
    struct stat status;
    if (stat(ToUtf8(path).c_str(), &status) != 0) return false;
    identity.volume = static_cast<uint64_t>(status.st_dev);
    identity.index = static_cast<uint64_t>(status.st_ino);
    return true;
}

bool AbsolutePath(const std::wstring& path, std::wstring& full) {
    std::wstring joined = path;
    if (path.empty() || path[0] != L'/') {
        std::vector<char> here(4096);
        while (!getcwd(here.data(), here.size())) {
            if (here.size() > (1u << 20)) return false;
            here.resize(here.size() * 2);
        }
        joined = FromUtf8(here.data()) + L"/" + path;
    }
    std::vector<std::wstring> parts;
    for (size_t start = 0; start <= joined.size();) {
        size_t end = joined.find(L'/', start);
        if (end == std::wstring::npos) end = joined.size();
        const std::wstring part = joined.substr(start, end - start);
        if (part == L"..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != L".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    full.clear();
    for (const std::wstring& part : parts) full += L"/" + part;
    if (full.empty() || joined.back() == L'/') full += L"/";
    return true;
}

}  // namespace mvwrap
