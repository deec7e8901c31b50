// The test folders through Windows' own ANSI calls.
#include "temp_dir.h"

#include <gtest/gtest.h>

std::string TempDir::operator/(const std::string& name) const { return path_ + "\\" + name; }

void RemoveFileAt(const std::string& path) { DeleteFileA(path.c_str()); }

void SetAttributes(const std::string& path, DWORD attributes) {
    SetFileAttributesA(path.c_str(), attributes);
}

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            std::string full = path + "\\" + name;
            SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(full);
            else
                DeleteFileA(full.c_str());
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

TempDir::TempDir() {
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    static unsigned sequence = 0;
    for (;;) {
        path_ = std::string(base) + "vornaly-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(++sequence);
        if (CreateDirectoryA(path_.c_str(), nullptr)) break;
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            ADD_FAILURE() << "cannot create " << path_;
            break;
        }
    }
}

TempDir::~TempDir() { RemoveTree(path_); }

std::string TempDir::MakeFolder(const std::string& name) const {
    std::string full = path_;
    std::string::size_type start = 0;
    while (start <= name.size()) {
        std::string::size_type end = name.find('\\', start);
        if (end == std::string::npos) end = name.size();
        full += "\\" + name.substr(start, end - start);
        CreateDirectoryA(full.c_str(), nullptr);
        start = end + 1;
    }
    return full;
}

std::string TempDir::MakeFile(const std::string& name, const std::string& bytes,
                              DWORD attributes) const {
    std::string::size_type split = name.rfind('\\');
    if (split != std::string::npos) MakeFolder(name.substr(0, split));
    std::string full = *this / name;
    HANDLE file = CreateFileA(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "cannot create " << full;
        return full;
    }
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    SetFileAttributesA(full.c_str(), attributes);
    return full;
}

std::string ReadWholeFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "";
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

std::vector<std::string> FolderContents(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = data.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &data));
    FindClose(search);
    return names;
}

std::string WinePath(std::string unixPath) {
    for (char& c : unixPath)
        if (c == '/') c = '\\';
    return "Z:" + unixPath;
}

bool IsSmallDisk(const std::string& folder) {
    ULARGE_INTEGER total{};
    return GetDiskFreeSpaceExA((folder + "\\").c_str(), nullptr, &total, nullptr) &&
           total.QuadPart <= (4u << 20);
}
