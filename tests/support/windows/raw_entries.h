// Files and folders made and removed by the "\\?\" form of their paths,
// which the system takes as they stand: a file named like a device is then
// a file, as a Linux build machine holds it, and one named beyond the code
// page gets its own name. A path ending in "\" makes a folder. Removed, the
// last made first, when the object ends.
#ifndef TESTS_SUPPORT_RAW_ENTRIES_H
#define TESTS_SUPPORT_RAW_ENTRIES_H

#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "win_handles.h"

class RawEntries {
public:
    RawEntries() = default;
    ~RawEntries() {
        for (auto made = made_.rbegin(); made != made_.rend(); ++made) {
            SetFileAttributesW(made->c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!DeleteFileW(made->c_str())) RemoveDirectoryW(made->c_str());
        }
    }
    RawEntries(const RawEntries&) = delete;
    RawEntries& operator=(const RawEntries&) = delete;

    // path is a full path.
    void Make(const std::wstring& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
        const bool folder = path.back() == L'\\';
        made_.push_back(L"\\\\?\\" + path.substr(0, path.size() - folder));
        if (folder) {
            EXPECT_TRUE(CreateDirectoryW(made_.back().c_str(), nullptr));
        } else {
            FileHandle file(CreateFileW(made_.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        attributes, nullptr));
            EXPECT_TRUE(file.valid());
        }
    }

private:
    std::vector<std::wstring> made_;
};

#endif
