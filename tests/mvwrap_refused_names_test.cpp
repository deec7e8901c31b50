// Names that Windows cannot hold, which a Linux build machine can: a device
// name (under Wine a host file "nul.txt" opens the device), or two names in
// one folder that differ only in letter case. Zzip refuses them by name
// before anything is written, whatever the number of threads.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "component_calls.h"
#include "component_test.h"
#include "mvwrap.h"
#include "path_separator.h"
#include "raw_entries.h"
#include "system_text.h"
#include "temp_dir.h"

namespace {

using Names = std::vector<std::string>;

using RefusedNamesTest = ComponentTest;

TEST_F(RefusedNamesTest, RefusesNamesWindowsCannotHoldBeforeWritingAnything) {
    const std::string archive = dir / "setup.zip";
    dir.MakeFile("in\\a.txt", "a");
    ASSERT_EQ(Zip(archive, dir / "in\\*.*"), MVWRAP_OK);
    const std::string before = ReadWholeFile(archive);
    const struct {
        // Made in "in", or on the host in the folder `host`; a name ending
        // in "\\" is a folder.
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
        // Wine makes no second name in other case. The first in the message
        // comes first in name order, a file before a folder.
        {{L"B.txt", L"b.txt"}, MVWRAP_NAME_CLASH, {}, " -whs", 0, "files"},
        {{L"b.txt", L"B.TXT\\"}, MVWRAP_NAME_CLASH, {}, " -whs", 0, "file-folder"},
        {{L"Data\\", L"data\\"}, MVWRAP_NAME_CLASH, {}, " -whs", 0, "folders"},
        {{L"nul.txt"}, MVWRAP_OK, {"a.txt"}, "", FILE_ATTRIBUTE_HIDDEN},
        {{L"console.txt", L"com10.txt", L"lpt0", L"nul_.txt", L"auxiliary\\"},
         MVWRAP_OK,
         {"a.txt", "com10.txt", "console.txt", "lpt0", "nul_.txt", "auxiliary\\"}},
    };
    for (const auto& c : cases) {
        const std::string folder =
            c.host ? WinePath(std::string(CASE_CLASH_UNIX_PATH "/") + c.host) + kPathSeparator
                   : dir / "in\\";
        RawEntries made;
        std::vector<std::string> subjects;
        for (const wchar_t* name : c.names) {
            const std::wstring path = std::wstring(folder.begin(), folder.end()) + name;
            if (!c.host) made.Make(path, c.attributes);
            subjects.push_back(
                SystemAnsi(path.back() == L'\\' ? path.substr(0, path.size() - 1) : path));
        }
        const std::string expected =
            c.error == MVWRAP_DEVICE_NAME
                ? "The file \"" + subjects[0] +
                      "\" has a name that Windows keeps for a device; rename it."
                : "The files \"" + subjects[0] + "\" and \"" + subjects.back() +
                      "\" differ only in letter case, and Windows cannot hold both; rename one.";
        for (const char* threads : {"1", "3"}) {
            SCOPED_TRACE(subjects[0] + ", threads " + threads);
            SetThreads(threads);
            EXPECT_EQ(Zip(archive, folder + "*.*", -1, c.options), c.error);
            if (c.error == MVWRAP_OK) continue;
            EXPECT_EQ(Message(static_cast<int16_t>(c.error)), expected);
            EXPECT_TRUE(ReadWholeFile(archive) == before) << "the archive changed";
            EXPECT_EQ(FolderContents(dir.Path()), (Names{"in", "setup.zip"}));
        }
        SetThreads(nullptr);
        if (c.error == MVWRAP_OK) {
            EXPECT_EQ(Listing(archive), c.taken);
        }
    }
}

}  // namespace
