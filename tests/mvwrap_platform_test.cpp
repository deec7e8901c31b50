// The zip component on the system the process sees: the NT line asks for
// files by their UTF-16 names, the 9x line (Windows 95, 98, ME) in the ANSI
// code page, which cannot name every file. Run under any Windows version,
// each test checks what that version must do.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "component_calls.h"
#include "component_test.h"
#include "mvwrap.h"
#include "temp_dir.h"

namespace {

bool NineXLine() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

std::wstring Wide(const std::string& ansi) {
    std::wstring wide(ansi.size(), L'\0');
    wide.resize(MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), &wide[0],
                                    static_cast<int>(wide.size())));
    return wide;
}

std::string Utf8(const std::wstring& wide) {
    std::string utf8(wide.size() * 3, '\0');
    utf8.resize(WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                    &utf8[0], static_cast<int>(utf8.size()), nullptr, nullptr));
    return utf8;
}

// A file name in a script the ANSI code page lacks: no code page holds all
// three.
std::wstring NameOutsideCodePage() {
    for (const wchar_t* name : {L"\u4e2d\u6587.txt", L"\u0416\u0443\u043a.txt", L"\u05d0.txt"}) {
        BOOL lost = FALSE;
        WideCharToMultiByte(CP_ACP, 0, name, -1, nullptr, 0, nullptr, &lost);
        if (lost) return name;
    }
    return L"";
}

// Made and removed by its UTF-16 name: the test folder's cleanup asks in
// ANSI and could not name it.
class WideFile {
public:
    explicit WideFile(std::wstring path) : path_(std::move(path)) {
        HANDLE file = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(file, INVALID_HANDLE_VALUE);
        CloseHandle(file);
    }
    ~WideFile() { DeleteFileW(path_.c_str()); }
    WideFile(const WideFile&) = delete;
    WideFile& operator=(const WideFile&) = delete;

private:
    std::wstring path_;
};

using PlatformTest = ComponentTest;

TEST_F(PlatformTest, NameOutsideTheCodePageIsArchivedOnNtAndRefusedByNameOn9x) {
    const std::wstring foreign = NameOutsideCodePage();
    if (foreign.empty()) GTEST_SKIP() << "the ANSI code page holds every candidate name";
    const std::string archive = dir / "out.zip";
    dir.MakeFile("in\\sub\\a.txt", "a");
    ASSERT_EQ(Zip(archive, dir / "in\\*.*"), MVWRAP_OK);
    const std::string before = ReadWholeFile(archive);
    WideFile file(Wide(dir / "in\\sub\\") + foreign);
    if (NineXLine()) {
        EXPECT_EQ(Zip(archive, dir / "in\\*.*"), MVWRAP_FILE_UNREADABLE);
        EXPECT_NE(Message(MVWRAP_FILE_UNREADABLE).find(dir / "in\\sub\\"), std::string::npos)
            << Message(MVWRAP_FILE_UNREADABLE);
        EXPECT_EQ(ReadWholeFile(archive), before);
    } else {
        EXPECT_EQ(Zip(archive, dir / "in\\*.*"), MVWRAP_OK);
        EXPECT_EQ(Listing(archive).size(), 2u);
        EXPECT_NE(ReadWholeFile(archive).find("sub/" + Utf8(foreign)), std::string::npos);
    }
}

}  // namespace
