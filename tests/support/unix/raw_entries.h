// Files and folders made and removed by their names as they stand, UTF-16
// names written to the system in UTF-8: a file named like a device is a file
// on Linux. A path ending in "\" makes a folder. Hidden and system are kept
// as Wine keeps them. Removed, the last made first, when the object ends.
#ifndef TESTS_SUPPORT_RAW_ENTRIES_H
#define TESTS_SUPPORT_RAW_ENTRIES_H

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dos_attributes.h"
#include "system_text.h"
#include "test_system.h"

class RawEntries {
public:
    RawEntries() = default;
    ~RawEntries() {
        for (auto made = made_.rbegin(); made != made_.rend(); ++made)
            if (unlink(made->c_str()) != 0) rmdir(made->c_str());
    }
    RawEntries(const RawEntries&) = delete;
    RawEntries& operator=(const RawEntries&) = delete;

    // path is a full path.
    void Make(const std::wstring& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
        const bool folder = path.back() == L'\\';
        made_.push_back(SystemUtf8(path.substr(0, path.size() - folder)));
        const char* made = made_.back().c_str();
        if (folder) {
            EXPECT_EQ(mkdir(made, 0755), 0) << made;
        } else {
            const int file = open(made, O_WRONLY | O_CREAT | O_EXCL, 0644);
            EXPECT_GE(file, 0) << made;
            close(file);
        }
        EXPECT_TRUE(StoreDosAttributes(made, attributes));
    }

private:
    std::vector<std::string> made_;
};

#endif
