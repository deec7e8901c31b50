// The test folders natively. Paths are ANSI texts as the component takes
// them, turned into UTF-8 for the system; names given with "\" are nested.
// Attributes are given as Wine gives them to a Linux file: read-only by
// taking away every write permission, hidden and system in the attribute
// Wine keeps them in.
#include "temp_dir.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "dos_attributes.h"
#include "unix/system_text.h"

namespace {

std::string Convert(const std::string& text, bool toUtf8) {
    std::string converted;
    EXPECT_TRUE(toUtf8 ? CodePageToSystem(text, converted) : SystemToCodePage(text, converted))
        << "not in the code page: " << text;
    return converted;
}

std::string Host(const std::string& path) { return Convert(path, true); }

}  // namespace

std::string TempDir::operator/(const std::string& name) const {
    std::string nested = name;
    for (char& c : nested)
        if (c == '\\') c = '/';
    return path_ + "/" + nested;
}

void RemoveFileAt(const std::string& path) { unlink(Host(path).c_str()); }

void SetAttributes(const std::string& path, DWORD attributes) {
    const std::string host = Host(path);
    struct stat status;
    if (stat(host.c_str(), &status) != 0) return ADD_FAILURE() << "no " << path, void();
    const mode_t writable = S_ISDIR(status.st_mode) ? 0755 : 0644;
    chmod(host.c_str(), (attributes & FILE_ATTRIBUTE_READONLY) ? writable & ~0222 : writable);
    EXPECT_TRUE(StoreDosAttributes(host.c_str(), attributes));
}

void RemoveTree(const std::string& path) {
    const std::string host = Host(path);
    chmod(host.c_str(), 0755);
    if (DIR* folder = opendir(host.c_str())) {
        while (const dirent* entry = readdir(folder)) {
            const std::string name = entry->d_name;
            if (name == "." || name == "..") continue;
            const std::string full = host + "/" + name;
            struct stat status;
            if (lstat(full.c_str(), &status) == 0 && S_ISDIR(status.st_mode))
                RemoveTree(Convert(full, false));
            else
                unlink(full.c_str());
        }
        closedir(folder);
    }
    rmdir(host.c_str());
}

TempDir::TempDir() {
    const char* base = getenv("TMPDIR");
    static unsigned sequence = 0;
    for (;;) {
        path_ = std::string(base && *base ? base : "/tmp") + "/vornaly-test-" +
                std::to_string(getpid()) + "-" + std::to_string(++sequence);
        if (mkdir(path_.c_str(), 0755) == 0) break;
        if (errno != EEXIST) {
            ADD_FAILURE() << "cannot create " << path_;
            break;
        }
    }
}

TempDir::~TempDir() { RemoveTree(path_); }

std::string TempDir::MakeFolder(const std::string& name) const {
    const std::string full = *this / name;
    for (size_t at = path_.size() + 1; at <= full.size(); ++at)
        if (at == full.size() || full[at] == '/') mkdir(Host(full.substr(0, at)).c_str(), 0755);
    return full;
}

std::string TempDir::MakeFile(const std::string& name, const std::string& bytes,
                              DWORD attributes) const {
    const std::string::size_type split = name.rfind('\\');
    if (split != std::string::npos) MakeFolder(name.substr(0, split));
    const std::string full = *this / name;
    std::ofstream file(Host(full), std::ios::binary | std::ios::trunc);
    if (!file) ADD_FAILURE() << "cannot create " << full;
    file.write(bytes.data(), std::streamsize(bytes.size()));
    file.close();
    if (attributes != FILE_ATTRIBUTE_NORMAL) SetAttributes(full, attributes);
    return full;
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream file(Host(path), std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

std::vector<std::string> FolderContents(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* listing = opendir(Host(folder).c_str())) {
        while (const dirent* entry = readdir(listing)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") names.push_back(Convert(name, false));
        }
        closedir(listing);
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool IsSmallDisk(const std::string& folder) {
    struct statvfs disk;
    return statvfs(Host(folder).c_str(), &disk) == 0 &&
           uint64_t(disk.f_blocks) * disk.f_frsize <= (4u << 20);
}

std::string WinePath(std::string unixPath) { return unixPath; }
