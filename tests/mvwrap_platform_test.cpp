// The zip component on the system the process sees: the NT line asks for
// files by their UTF-16 names, the 9x line (Windows 95, 98, ME) in the ANSI
// code page, which cannot name every file. Run under any Windows version,
// each test checks what that version must do.
#include <gtest/gtest.h>

#include <windows.h>
#include <psapi.h>

#include <cstring>
#include <string>
#include <thread>
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

// Windows 95's conversion functions, which know no UTF-8: asked for it they
// give nothing. Every such call the component makes is counted.
int utf8Calls = 0;

int WINAPI NoUtf8ToWide(UINT codePage, DWORD flags, LPCCH text, int length, LPWSTR wide, int room) {
    if (codePage == CP_UTF8) {
        ++utf8Calls;
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return MultiByteToWideChar(codePage, flags, text, length, wide, room);
}

int WINAPI NoUtf8FromWide(UINT codePage, DWORD flags, LPCWCH wide, int length, LPSTR text, int room,
                          LPCCH fallback, LPBOOL used) {
    if (codePage == CP_UTF8) {
        ++utf8Calls;
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return WideCharToMultiByte(codePage, flags, wide, length, text, room, fallback, used);
}

// Points MVWRAP.DLL's imports of the two conversions at those above while
// it lives, and back afterwards.
class Windows95Conversions {
public:
    Windows95Conversions() { Swap(); }
    ~Windows95Conversions() { Swap(); }
    Windows95Conversions(const Windows95Conversions&) = delete;
    Windows95Conversions& operator=(const Windows95Conversions&) = delete;
    int Replaced() const { return replaced_; }

private:
    void Swap() {
        replaced_ = 0;
        auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA("MVWRAP.DLL"));
        if (!base) return;
        auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
        auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
        const IMAGE_DATA_DIRECTORY& imports =
            nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (auto* module =
                 reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
             module->Name; ++module) {
            auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->OriginalFirstThunk);
            auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk);
            for (; names->u1.AddressOfData; ++names, ++slots) {
                if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
                const char* name =
                    reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name;
                void** slot = reinterpret_cast<void**>(&slots->u1.Function);
                void* ours = !std::strcmp(name, "MultiByteToWideChar")
                                 ? reinterpret_cast<void*>(&NoUtf8ToWide)
                             : !std::strcmp(name, "WideCharToMultiByte")
                                 ? reinterpret_cast<void*>(&NoUtf8FromWide)
                                 : nullptr;
                if (!ours) continue;
                void* taken = saved_[replaced_ < 2 ? replaced_ : 1];
                DWORD protection;
                VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
                if (taken) {
                    *slot = taken;
                    saved_[replaced_] = nullptr;
                } else {
                    saved_[replaced_] = *slot;
                    *slot = ours;
                }
                VirtualProtect(slot, sizeof *slot, protection, &protection);
                ++replaced_;
            }
        }
    }

    void* saved_[2] = {nullptr, nullptr};
    int replaced_ = 0;
};

// A name beyond ASCII that the ANSI code page holds, archived and listed
// back with the system's UTF-8 gone: its entry carries the UTF-8 bytes.
TEST_F(PlatformTest, NamesAreWrittenAndReadWithoutTheSystemsUtf8) {
    std::wstring name;
    for (const wchar_t* candidate : {L"Caf\u00e9.txt", L"\u0416\u0443\u043a.txt", L"\u8868.txt"}) {
        BOOL lost = FALSE;
        WideCharToMultiByte(CP_ACP, 0, candidate, -1, nullptr, 0, nullptr, &lost);
        if (!lost) {
            name = candidate;
            break;
        }
    }
    ASSERT_FALSE(name.empty());
    std::string ansi(name.size() * 2, '\0');
    ansi.resize(WideCharToMultiByte(CP_ACP, 0, name.c_str(), -1, &ansi[0],
                                    static_cast<int>(ansi.size() + 1), nullptr, nullptr) -
                1);
    const std::string utf8 = Utf8(name);
    dir.MakeFile("in\\sub\\" + ansi, "x");
    const std::string archive = dir / "out.zip";
    utf8Calls = 0;
    {
        Windows95Conversions conversions;
        ASSERT_EQ(conversions.Replaced(), 2) << "MVWRAP.DLL imports both conversions";
        ASSERT_EQ(Zip(archive, dir / "in\\*.*"), MVWRAP_OK);
        EXPECT_EQ(Listing(archive), std::vector<std::string>{"sub\\" + ansi});
    }
    EXPECT_EQ(utf8Calls, 0);
    EXPECT_NE(ReadWholeFile(archive).find("sub/" + utf8), std::string::npos);
}

// Files another program holds, the memory a large file takes, and a path
// spelled in other letter case, as Windows tells them: Linux has no share
// modes, and its names keep their case.
using Names = std::vector<std::string>;

// A file another handle holds open without sharing.
HANDLE Hold(const std::string& path) {
    return CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                       nullptr);
}

TEST_F(PlatformTest, GivesUpOnALockedFileAfterItsRetries) {
    const std::string archive = dir / "out.zip";
    dir.MakeFile("in\\a.txt", "a");
    const std::string locked = dir.MakeFile("in\\locked.txt", "l");
    HANDLE holder = Hold(locked);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    SetRetries(2, 1);
    EXPECT_EQ(Zip(archive, dir / "in\\*.*"), MVWRAP_FILE_LOCKED);
    CloseHandle(holder);
    EXPECT_NE(Message(MVWRAP_FILE_LOCKED).find("\"" + locked + "\""), std::string::npos)
        << Message(MVWRAP_FILE_LOCKED);
    EXPECT_EQ(FolderContents(dir.Path()), Names{"in"});
}

TEST_F(PlatformTest, TakesAFileReleasedDuringTheRetries) {
    const std::string archive = dir / "out.zip";
    const std::string locked = dir.MakeFile("in\\locked.txt", "l");
    HANDLE holder = Hold(locked);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    SetRetries(4, 1);
    std::thread release([holder] {
        Sleep(500);
        CloseHandle(holder);
    });
    EXPECT_EQ(Zip(archive, dir / "in\\*.*"), MVWRAP_OK);
    release.join();
    EXPECT_EQ(Listing(archive), Names{"locked.txt"});
}

// Writes a large file through a small buffer, so that the test's own memory
// stays flat too.
void WriteLargeFile(const std::string& path, size_t megabytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    std::string block;
    for (size_t mb = 0; mb < megabytes; ++mb) {
        block.clear();
        for (unsigned line = 0; block.size() < (1u << 20); ++line)
            block += "line " + std::to_string(mb * 100000 + line * 7919 % 100003) + " of data\n";
        block.resize(1u << 20);
        DWORD written = 0;
        WriteFile(file, block.data(), static_cast<DWORD>(block.size()), &written, nullptr);
    }
    CloseHandle(file);
}

// The most memory the process has held; under Wine the peak working set is
// the figure that follows the process's own allocations.
size_t PeakMemory() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PeakWorkingSetSize;
}

TEST_F(PlatformTest, StreamsLargeFilesInConstantMemory) {
    const std::string archive = dir / "out.zip";
    dir.MakeFolder("in");
    WriteLargeFile(dir / "in\\large.dat", 110);
    dir.MakeFile("in\\small.txt", "small");
    size_t before = PeakMemory();
    ASSERT_GT(before, 0u);
    ASSERT_EQ(Zip(archive, dir / "in\\*.*", 1), MVWRAP_OK);
    size_t growth = PeakMemory() - before;
    EXPECT_LT(growth, 16u << 20) << "peak memory grew by " << growth << " bytes";
    EXPECT_EQ(Listing(archive), (Names{"large.dat", "small.txt"}));
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExA(archive.c_str(), GetFileExInfoStandard, &data));
    EXPECT_LT(data.nFileSizeLow, 110u << 20) << "compressible data must shrink";
}

// All ones in an entry's size field means "in a zip64 extension", which the
// component's own reader then takes for a damaged archive: a file of
// 4,294,967,295 bytes is refused, before a byte of it is read, as too large.
TEST_F(PlatformTest, AFileOfFourGigabytesLessOneIsTooLarge) {
    const std::string archive = dir / "out.zip";
    const std::string big = dir.MakeFile("in\\big.bin");
    HANDLE file = CreateFileA(big.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    LONG high = 0;
    SetFilePointer(file, LONG(0xFFFFFFFFu), &high, FILE_BEGIN);
    ASSERT_TRUE(SetEndOfFile(file)) << "no room for a sparse file of 4 GiB - 1 byte";
    CloseHandle(file);
    dir.MakeFile("in\\small.txt", "small");

    EXPECT_EQ(Zip(archive, dir / "in\\*.*"), MVWRAP_TOO_LARGE);
    EXPECT_EQ(FolderContents(dir.Path()), Names{"in"});
}

TEST_F(PlatformTest, LeavesOutTheArchiveItself) {
    dir.MakeFile("in\\a.txt", "a");
    const std::string inside = dir / "in\\Setup.zip";
    ASSERT_EQ(Zip(inside, dir / "in\\*.*"), MVWRAP_OK);
    dir.MakeFile("in\\b.txt", "b");
    ASSERT_EQ(Zip(dir / "in\\SETUP.ZIP", dir / "in\\*.*"), MVWRAP_OK);
    EXPECT_EQ(Listing(inside), (Names{"a.txt", "b.txt"}));
}

}  // namespace
