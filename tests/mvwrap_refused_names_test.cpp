// Names that Windows cannot hold, which a Linux build machine can: a device
// name (under Wine a host file "nul.txt" opens the device), or two names in
// one folder that differ only in letter case. Zzip refuses them by name
// before anything is written, whatever the number of threads.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "component_calls.h"
#include "component_test.h"
#include "mvwrap.h"
#include "temp_dir.h"

namespace {

using Names = std::vector<std::string>;

std::wstring Wide(const std::string& ansi) {
    std::wstring wide(ansi.size(), L'\0');
    wide.resize(MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), &wide[0],
                                    static_cast<int>(wide.size())));
    return wide;
}

std::string Ansi(const std::wstring& wide) {
    std::string ansi(wide.size() * 2, '\0');
    ansi.resize(WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &ansi[0],
                                    static_cast<int>(ansi.size()), nullptr, nullptr));
    return ansi;
}

// A file or folder made, and removed again, by the "\\?\" form of its path,
// which the system takes as it stands: a file named like a device is then a
// file, as it is on the host.
class RawEntry {
public:
    RawEntry(std::wstring path, bool folder, DWORD attributes)
        : path_(L"\\\\?\\" + path), folder_(folder) {
        if (folder_) {
            EXPECT_TRUE(CreateDirectoryW(path_.c_str(), nullptr));
            inside_ = path_ + L"\\inside.txt";
        }
        const std::wstring& file = folder_ ? inside_ : path_;
        HANDLE handle =
            CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr);
        EXPECT_NE(handle, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(handle, "13 bytes here", 13, &written, nullptr);
        CloseHandle(handle);
    }
    ~RawEntry() {
        SetFileAttributesW((folder_ ? inside_ : path_).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW((folder_ ? inside_ : path_).c_str());
        if (folder_) RemoveDirectoryW(path_.c_str());
    }
    RawEntry(const RawEntry&) = delete;
    RawEntry& operator=(const RawEntry&) = delete;

private:
    std::wstring path_;
    std::wstring inside_;
    bool folder_;
};

class RefusedNamesTest : public ComponentTest {
protected:
    void TearDown() override {
        SetEnvironmentVariableA("MVWRAP_THREADS", nullptr);
        ComponentTest::TearDown();
    }
};

TEST_F(RefusedNamesTest, RefusesNamesWindowsCannotHoldBeforeWritingAnything) {
    const std::string archive = dir / "setup.zip";
    dir.MakeFile("in\\a.txt", "a");
    ASSERT_EQ(Zip(archive, dir / "in\\*.*"), MVWRAP_OK);
    const std::string before = ReadWholeFile(archive);
    const struct {
        // Made in "in", or made on the host in the folder `host`; a name
        // ending in "\\" is a folder.
        std::vector<const wchar_t*> names;
        int32_t error;
        Names taken = {};  // without an error
        const char* options = " -whs";
        DWORD attributes = FILE_ATTRIBUTE_NORMAL;
        const char* host = nullptr;
    } cases[] = {
        {{L"nul.txt"}, MVWRAP_DEVICE_NAME},
        {{L"CON"}, MVWRAP_DEVICE_NAME},
        {{L"Prn.tar.gz"}, MVWRAP_DEVICE_NAME},
        {{L"aux.h"}, MVWRAP_DEVICE_NAME},
        {{L"com1.log"}, MVWRAP_DEVICE_NAME},
        {{L"COM9"}, MVWRAP_DEVICE_NAME},
        {{L"lpt1.txt"}, MVWRAP_DEVICE_NAME},
        {{L"LPT9.DAT"}, MVWRAP_DEVICE_NAME},
        {{L"com\u00b9.txt"}, MVWRAP_DEVICE_NAME},
        {{L"LPT\u00b2"}, MVWRAP_DEVICE_NAME},
        {{L"Com\u00b3.ini"}, MVWRAP_DEVICE_NAME},
        {{L"con\\"}, MVWRAP_DEVICE_NAME},
        {{L"Lpt3.old\\"}, MVWRAP_DEVICE_NAME},
        // The first of the two in the message comes first in name order,
        // a file before a folder.
        {{L"B.txt", L"b.txt"}, MVWRAP_NAME_CLASH, {}, " -whs", 0, "files"},
        {{L"b.txt", L"B.TXT\\"}, MVWRAP_NAME_CLASH, {}, " -whs", 0, "file-folder"},
        {{L"Data\\", L"data\\"}, MVWRAP_NAME_CLASH, {}, " -whs", 0, "folders"},
        {{L"nul.txt"}, MVWRAP_OK, {"a.txt"}, "", FILE_ATTRIBUTE_HIDDEN},
        {{L"console.txt", L"com10.txt", L"lpt0", L"nul_.txt", L"auxiliary\\"},
         MVWRAP_OK,
         {"a.txt", "com10.txt", "console.txt", "lpt0", "nul_.txt", "auxiliary\\inside.txt"}},
    };
    for (const auto& c : cases) {
        const std::string folder =
            c.host ? WinePath(std::string(CASE_CLASH_UNIX_PATH "/") + c.host) + "\\" : dir / "in\\";
        std::vector<std::unique_ptr<RawEntry>> made;
        std::vector<std::string> paths;
        for (const wchar_t* name : c.names) {
            std::wstring path = Wide(folder) + name;
            const bool isFolder = path.back() == L'\\';
            if (isFolder) path.pop_back();
            if (!c.host) made.push_back(std::make_unique<RawEntry>(path, isFolder, c.attributes));
            paths.push_back(Ansi(path));
        }
        std::string expected;
        if (c.error == MVWRAP_DEVICE_NAME)
            expected = "The file \"" + paths[0] +
                       "\" has a name that Windows keeps for a device; rename it.";
        if (c.error == MVWRAP_NAME_CLASH)
            expected = "The files \"" + paths[0] + "\" and \"" + paths[1] +
                       "\" differ only in letter case, and Windows cannot hold both; rename one.";
        for (int threads : {1, 3}) {
            SCOPED_TRACE(paths[0] + ", threads " + std::to_string(threads));
            SetEnvironmentVariableA("MVWRAP_THREADS", std::to_string(threads).c_str());
            EXPECT_EQ(Zip(archive, folder + "*.*", -1, c.options), c.error);
            if (c.error != MVWRAP_OK) {
                EXPECT_EQ(Message(static_cast<int16_t>(c.error)), expected);
                EXPECT_TRUE(ReadWholeFile(archive) == before) << "the archive changed";
                EXPECT_EQ(FolderContents(dir.Path()), (Names{"in", "setup.zip"}));
            }
        }
        if (c.error == MVWRAP_OK) {
            EXPECT_EQ(Listing(archive), c.taken);
        }
    }
}

}  // namespace
