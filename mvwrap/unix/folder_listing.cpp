// What a Linux folder lists, as Wine shows the same folder to the Windows
// build, so that both write the same archive:
// - a name beginning with a dot is hidden; hidden and system also come from
//   the attributes Wine stored on the file (the user.DOSATTRIB attribute);
// - read-only when nobody may write (no write bit at all), files and
//   folders alike; files carry the archive bit, folders none;
// - the last-write time is the modification time to 100 ns, cut short, and
//   so is the creation time (Wine reports no other);
// - a link to a file is the file; a link to a folder is a link (never
//   followed); a dangling link is not listed.
// Where Wine would show a name Windows cannot hold (a backslash, colon or
// other character Windows keeps, a control character, a trailing dot or
// blank, bytes that are not UTF-8, a character the ANSI code page lacks) or
// a fifo, socket or device as a file, the entry is refused, never taken under
// an invented name or read as an empty file.
#include "folder_listing.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

#include "ansi_text.h"
#include "dos_attributes.h"
#include "file_system.h"
#include "text_codes.h"

namespace mvwrap {

namespace {

struct FolderCloser {
    void operator()(DIR* folder) const { closedir(folder); }
};
using FolderHandle = std::unique_ptr<DIR, FolderCloser>;

// 100 ns steps since 1601, cut short as Wine cuts them.
uint64_t Ticks(const struct timespec& time) {
    const int64_t kSecondsTo1970 = 11644473600;
    if (time.tv_sec < -kSecondsTo1970) return 0;
    return static_cast<uint64_t>(time.tv_sec + kSecondsTo1970) * 10000000u +
           static_cast<uint64_t>(time.tv_nsec) / 100;
}

bool NameWindowsHolds(const std::wstring& name) {
    for (wchar_t c : name)
        if (c < 0x20 || std::wstring(L"\\/:*?\"<>|").find(c) != std::wstring::npos) return false;
    return name.back() != L'.' && name.back() != L' ' && FromAnsi(ToAnsi(name)) == name;
}

// The name for messages: what cannot be shown is '?'.
std::wstring Shown(const std::wstring& name) { return FromAnsi(ToAnsi(name)); }

// The entry for a file the path leads to; false for one that is not there
// (a dangling link, or gone since the folder was read).
bool Describe(const std::string& path, const std::string& leaf, bool link, ListedEntry& entry) {
    struct stat status;
    if (stat(path.c_str(), &status) != 0) return false;
    const bool folder = S_ISDIR(status.st_mode);
    entry.name = FromUtf8(leaf);
    entry.attributes = folder ? kFolderAttribute : kArchiveAttribute;
    if (folder && link) entry.attributes |= kLinkAttribute;
    if (leaf[0] == '.') entry.attributes |= kHiddenAttribute;
    if (!(status.st_mode & 0222)) entry.attributes |= kReadOnlyAttribute;
    entry.attributes |= StoredDosAttributes(path.c_str()) & (kHiddenAttribute | kSystemAttribute);
    entry.written = entry.created = Ticks(status.st_mtim);
    entry.size = S_ISREG(status.st_mode) ? static_cast<uint64_t>(status.st_size) : 0;
    const bool utf8 = ToUtf8(entry.name) == leaf;
    entry.refused = !utf8 || !NameWindowsHolds(entry.name) || !(folder || S_ISREG(status.st_mode));
    if (entry.refused) entry.shown = Shown(entry.name);
    return true;
}

// Wildcards as Windows matches them, ignoring case: '*' any run, '?' any
// one character; "*.*" matches names without a dot too.
bool Matches(const wchar_t* name, const wchar_t* pattern) {
    if (!*pattern) return !*name;
    if (*pattern == L'*')
        return Matches(name, pattern + 1) || (*name && Matches(name + 1, pattern));
    return *name && (*pattern == L'?' || *pattern == *name) && Matches(name + 1, pattern + 1);
}

bool NameMatches(const std::wstring& name, const std::wstring& pattern) {
    if (pattern == L"*" || pattern == L"*.*") return true;
    return Matches(UpperCaseName(name).c_str(), UpperCaseName(pattern).c_str());
}

std::string FolderPath(const std::wstring& folder) {
    return folder.empty() ? std::string("./") : ToUtf8(folder);
}

}  // namespace

bool ListFolder(const std::wstring& folder, const std::wstring& pattern,
                std::vector<ListedEntry>& entries) {
    const std::string path = FolderPath(folder);
    FolderHandle listing(opendir(path.c_str()));
    if (!listing) return false;
    for (;;) {
        errno = 0;
        const struct dirent* found = readdir(listing.get());
        if (!found) return errno == 0;
        const std::string leaf = found->d_name;
        if (leaf == "." || leaf == ".." || !NameMatches(FromUtf8(leaf), pattern)) continue;
        bool link = found->d_type == DT_LNK;
        if (found->d_type == DT_UNKNOWN) {
            struct stat status;
            link = lstat((path + leaf).c_str(), &status) == 0 && S_ISLNK(status.st_mode);
        }
        ListedEntry entry;
        if (Describe(path + leaf, leaf, link, entry)) entries.push_back(std::move(entry));
    }
}

bool LookUp(const std::wstring& path, ListedEntry& entry) {
    const std::string full = ToUtf8(path);
    const size_t slash = full.find_last_of('/');
    const std::string leaf = slash == std::string::npos ? full : full.substr(slash + 1);
    struct stat status;
    if (leaf.empty() || lstat(full.c_str(), &status) != 0) return false;
    return Describe(full, leaf, S_ISLNK(status.st_mode), entry);
}

bool PathDetails(const std::wstring& path, ListedEntry& details) { return LookUp(path, details); }

bool IsFolder(const std::wstring& path) {
    struct stat status;
    return stat(ToUtf8(path).c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace mvwrap
