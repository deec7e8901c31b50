// The zip component on the system the process sees: the NT line asks for
// files by their UTF-16 names, the 9x line (Windows 95, 98, ME) in the ANSI
// code page, which cannot name every file. Run under any Windows version,
// each test checks what that version must do.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
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

}  // namespace
