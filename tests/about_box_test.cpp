// The About box shown for real, its System Info action against registry
// places set in the test prefix, and the program's version resource.
#include <gtest/gtest.h>

#include <windows.h>

#include <sddl.h>

#include <atomic>
#include <functional>
#include <iterator>
#include <map>
#include <thread>
#include <vector>

#include "about_box.h"
#include "dialog_driver.h"
#include "dialog_template.h"
#include "main_dialog_fixture.h"
#include "resource.h"
#include "temp_dir.h"

namespace {

constexpr char ProgramKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr char FolderKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr char AboutCaption[] = "About Vornaly...";

// A registry value that a test sets: absent at first, removed again (with
// its key, when the test made the key) when the test ends.
class RegistryPlace {
public:
    RegistryPlace(const char* key, const char* value) : key_(key), value_(value) {
        HKEY opened;
        madeKey_ = RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &opened) != 0;
        if (!madeKey_) RegCloseKey(opened);
        Remove();
    }
    ~RegistryPlace() {
        Remove();
        if (madeKey_) RegDeleteKeyA(HKEY_LOCAL_MACHINE, key_);
    }
    RegistryPlace(const RegistryPlace&) = delete;
    RegistryPlace& operator=(const RegistryPlace&) = delete;

    void SetText(const std::string& text) {
        Set(REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), text.size() + 1);
    }
    void Set(DWORD type, const void* data, DWORD size) {
        HKEY key;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key_, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &key, nullptr),
                  0);
        RegSetValueExA(key, value_, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
    }

private:
    void Remove() {
        HKEY key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key_, 0, KEY_SET_VALUE, &key) == 0) {
            RegDeleteValueA(key, value_);
            RegCloseKey(key);
        }
    }

    const char* key_;
    const char* value_;
    bool madeKey_ = false;
};

// Watches for the failure message box while the test thread is blocked in
// the action, notes its text and closes it.
class FailureBoxWatch {
public:
    FailureBoxWatch() {
        thread_ = std::thread([this] {
            while (!stop_) {
                HWND box = FindWindowA("#32770", ProductTitle);
                if (box && IsWindowVisible(box)) {
                    text_ = ControlText(box, 0xFFFF);
                    HWND icon = GetDlgItem(box, 0x440);
                    hasIcon_ = icon && SendMessageA(icon, STM_GETICON, 0, 0) != 0;
                    ++shown_;
                    SendMessageA(box, WM_COMMAND, IDOK, 0);
                }
                Sleep(10);
            }
        });
    }
    ~FailureBoxWatch() { Stop(); }
    void Stop() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }
    int Shown() const { return shown_; }
    const std::string& Text() const { return text_; }
    bool HasIcon() const { return hasIcon_; }

private:
    std::atomic<bool> stop_{false};
    std::atomic<int> shown_{0};
    std::string text_;
    bool hasIcon_ = false;
    std::thread thread_;
};

std::string TestsFolder() {
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string path = self;
    return path.substr(0, path.rfind('\\'));
}

// Copies of the recording program: the real one in a folder with a blank,
// a decoy where an unquoted command line would look first, and a second
// one for the folder place.
class SystemInfoTest : public testing::Test {
protected:
    void SetUp() override {
        const std::string recorder = TestsFolder() + "\\run_recorder.exe";
        dir.MakeFolder("Sys Info");
        dir.MakeFolder("Tools");
        dir.MakeFolder("Empty");
        for (const std::string& copy : {program, decoy, inTools})
            ASSERT_TRUE(CopyFileA(recorder.c_str(), copy.c_str(), FALSE)) << copy;
    }

    // Which copies ran, and what each recorded.
    std::map<std::string, std::string> Runs() const {
        std::map<std::string, std::string> runs;
        for (const std::string& copy : {program, decoy, inTools}) {
            std::string log = ReadWholeFile(copy + ".log");
            if (!log.empty()) runs[copy] = log;
        }
        return runs;
    }

    TempDir dir;
    const std::string program = dir / "Sys Info\\MSINFO32.EXE";
    const std::string decoy = dir / "Sys.exe";
    const std::string inTools = dir / "Tools\\MSINFO32.EXE";
    RegistryPlace place1{ProgramKey, "PATH"};
    RegistryPlace place2{FolderKey, "MSINFO"};
};

struct PlaceCase {
    const char* name;
    const char* place1;  // a name in the test folder; "" for none, "#" for a number
    const char* place2;
    const char* ran;  // the copy that runs, or "" when the failure box shows
};

void PrintTo(const PlaceCase& c, std::ostream* out) { *out << c.name; }

class SystemInfoPlaces : public SystemInfoTest, public testing::WithParamInterface<PlaceCase> {};

TEST_P(SystemInfoPlaces, StartTheRecordedProgramOrSayItIsUnavailable) {
    const PlaceCase& c = GetParam();
    if (std::string(c.place1) == "#") {
        DWORD number = 7;
        place1.Set(REG_DWORD, &number, sizeof number);
    } else if (*c.place1) {
        place1.SetText(dir / c.place1);
    }
    if (*c.place2) place2.SetText(dir / c.place2);

    FailureBoxWatch watch;
    ShowSystemInfo();
    watch.Stop();

    std::map<std::string, std::string> expected;
    if (*c.ran) expected[dir / c.ran] = "start\nend\n";
    EXPECT_EQ(Runs(), expected);
    EXPECT_EQ(watch.Shown(), *c.ran ? 0 : 1);
    if (!*c.ran) {
        EXPECT_EQ(watch.Text(), "System Information Is Unavailable At This Time");
        EXPECT_FALSE(watch.HasIcon());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, SystemInfoPlaces,
    testing::Values(
        PlaceCase{"PathWithBlankIsQuoted", "Sys Info\\MSINFO32.EXE", "", "Sys Info\\MSINFO32.EXE"},
        PlaceCase{"ProgramPlaceWins", "Sys Info\\MSINFO32.EXE", "Tools", "Sys Info\\MSINFO32.EXE"},
        PlaceCase{"ProgramPlaceWinsEvenWhenWrong", "Nowhere\\MSINFO32.EXE", "Tools", ""},
        PlaceCase{"FolderPlaceWithTheProgram", "", "Tools", "Tools\\MSINFO32.EXE"},
        PlaceCase{"FolderPlaceWithoutTheProgram", "", "Empty", ""},
        PlaceCase{"NumberInsteadOfText", "#", "", ""}, PlaceCase{"NoPlace", "", "", ""}),
    [](const testing::TestParamInfo<PlaceCase>& info) { return info.param.name; });

// A key that grants everyone read access and nothing more, as the
// platform's keys do for a user without administrator rights; its former
// access is put back afterwards.
class ReadOnlyKey {
public:
    explicit ReadOnlyKey(const char* key) : key_(key) {
        HKEY opened;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, READ_CONTROL, &opened) != 0) return;
        DWORD size = sizeof saved_;
        saved_ok_ = RegGetKeySecurity(opened, DACL_SECURITY_INFORMATION, saved_, &size) == 0;
        RegCloseKey(opened);
        PSECURITY_DESCRIPTOR readOnly = nullptr;
        ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;KR;;;WD)", SDDL_REVISION_1,
                                                             &readOnly, nullptr);
        Apply(readOnly);
        LocalFree(readOnly);
    }
    ~ReadOnlyKey() {
        if (saved_ok_) Apply(saved_);
    }
    ReadOnlyKey(const ReadOnlyKey&) = delete;
    ReadOnlyKey& operator=(const ReadOnlyKey&) = delete;

private:
    void Apply(PSECURITY_DESCRIPTOR descriptor) {
        HKEY opened;  // the owner may always change the access list
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key_, 0, WRITE_DAC, &opened) != 0) return;
        RegSetKeySecurity(opened, DACL_SECURITY_INFORMATION, descriptor);
        RegCloseKey(opened);
    }

    const char* key_;
    bool saved_ok_ = false;
    alignas(8) BYTE saved_[4096] = {};
};

TEST_F(SystemInfoTest, ProgramPlaceReadableOnlyIsEnough) {
    place1.SetText(program);
    ReadOnlyKey readOnly(ProgramKey);
    HKEY full;
    LONG fullAccess = RegOpenKeyExA(HKEY_LOCAL_MACHINE, ProgramKey, 0, KEY_ALL_ACCESS, &full);
    if (fullAccess == 0) RegCloseKey(full);
    ASSERT_EQ(fullAccess, ERROR_ACCESS_DENIED);

    FailureBoxWatch watch;
    ShowSystemInfo();
    watch.Stop();
    EXPECT_EQ(watch.Shown(), 0);
    EXPECT_EQ(Runs(), (std::map<std::string, std::string>{{program, "start\nend\n"}}));
}

TEST(ReadRegistryText, GivesTextValuesOnly) {
    struct Case {
        const char* name;
        DWORD type;
        std::string bytes;  // "-" leaves the value absent
        bool read;
        std::string text;
    } cases[] = {
        {"Text", REG_SZ, std::string("C:\\Tools\\x.exe\0", 15), true, "C:\\Tools\\x.exe"},
        {"UpToTheFirstNul", REG_SZ, std::string("C:\\a\0C:\\b\0", 10), true, "C:\\a"},
        {"WithoutNul", REG_SZ, "C:\\a", true, "C:\\a"},
        {"ExpandableText", REG_EXPAND_SZ, std::string("C:\\a\0", 5), false, ""},
        {"Binary", REG_BINARY, "C:\\a", false, ""},
        {"TooLong", REG_SZ, std::string(1100, 'a'), false, ""},
        {"Absent", REG_NONE, "-", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RegistryPlace fresh(ProgramKey, "PATH");
        if (c.bytes != "-") fresh.Set(c.type, c.bytes.data(), c.bytes.size());
        std::string text = "stale";
        EXPECT_EQ(ReadRegistryText(HKEY_LOCAL_MACHINE, ProgramKey, "PATH", text), c.read);
        EXPECT_EQ(text, c.text);
    }
    std::string text = "stale";
    EXPECT_FALSE(ReadRegistryText(HKEY_LOCAL_MACHINE, "SOFTWARE\\NoSuchVornalyKey", "PATH", text));
    EXPECT_EQ(text, "");
}

// Runs the About box on the test thread while a helper thread works it. The
// box takes its icon from the program's module, as in the program.
struct AboutRun {
    INT_PTR result = -1;
    bool seen = false;
};

AboutRun WorkAboutBox(std::function<void(HWND)> work) {
    AboutRun run;
    std::thread helper([&run, work] {
        HWND box = WaitForWindow(GetCurrentProcessId(), AboutCaption, "#32770");
        run.seen = box != nullptr;
        if (box) work(box);
    });
    TheShell.instance = GetModuleHandleA(nullptr);
    run.result = ShowAboutBox(nullptr);
    TheShell.instance = nullptr;
    helper.join();
    return run;
}

TEST(AboutTemplate, HoldsIconNameVersionAndSystemInfo) {
    const DialogTemplate expected{
        true,
        0x90C808C0u,
        62,
        38,
        200,
        121,
        AboutCaption,
        8,
        "MS Sans Serif",
        {
            {WS_CHILD | WS_VISIBLE | SS_ICON, 15, 24, 18, 20, 101, "static", "PROGRAM"},
            {WS_CHILD | WS_VISIBLE | SS_LEFT | WS_GROUP, 47, 22, 146, 8, 103, "static",
             "Vornaly Installer"},
            {WS_CHILD | WS_VISIBLE | SS_LEFT | WS_GROUP, 47, 30, 146, 8, 104, "static",
             "Version 2.0"},
            {WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, 17, 80, 46, 14, 102, "button",
             "&System Info"},
        }};
    ExpectSameTemplate(LoadDialogTemplate("ABOUT"), expected);
}

TEST_F(MainDialogTest, AboutShowsTheBoxWithIconAndTexts) {
    std::string name, version;
    bool hasIcon = false, ownerDisabled = false;
    std::thread helper([&] {
        HWND box = WaitForWindow(GetCurrentProcessId(), AboutCaption, "#32770");
        if (!box) return;
        ownerDisabled = !IsWindowEnabled(dialog);
        hasIcon = SendDlgItemMessageA(box, IDC_ABOUT_ICON, STM_GETICON, 0, 0) != 0;
        name = ControlText(box, IDC_ABOUT_NAME);
        version = ControlText(box, IDC_ABOUT_VERSION);
        PostMessageA(box, WM_CLOSE, 0, 0);
    });
    Click(IDC_ABOUT);
    helper.join();
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(hasIcon);
    EXPECT_EQ(name, "Vornaly Installer");
    EXPECT_EQ(version, "Version 2.0");
    EXPECT_TRUE(IsWindowEnabled(dialog));  // usable again
}

struct CloseCase {
    const char* name;
    UINT message;
    WPARAM wParam;
    INT_PTR result;
};

void PrintTo(const CloseCase& c, std::ostream* out) { *out << c.name; }

class AboutBoxCloses : public testing::TestWithParam<CloseCase> {};

TEST_P(AboutBoxCloses, WithItsResult) {
    const CloseCase& c = GetParam();
    AboutRun run = WorkAboutBox([&](HWND box) {
        if (c.message == WM_KEYDOWN) {
            // A key as the user types it: to the control that has the focus.
            HWND target = GetDlgItem(box, IDC_SYSTEM_INFO);
            PostMessageA(target, WM_KEYDOWN, c.wParam, 0);
            PostMessageA(target, WM_KEYUP, c.wParam, 0xC0000001);
        } else {
            PostMessageA(box, c.message, c.wParam, 0);
        }
    });
    ASSERT_TRUE(run.seen);
    EXPECT_EQ(run.result, c.result);
}

INSTANTIATE_TEST_SUITE_P(Table, AboutBoxCloses,
                         testing::Values(CloseCase{"EscKey", WM_KEYDOWN, VK_ESCAPE, 0},
                                         CloseCase{"EnterKey", WM_KEYDOWN, VK_RETURN, 1},
                                         CloseCase{"Ok", WM_COMMAND, IDOK, 1},
                                         CloseCase{"Cancel", WM_COMMAND, IDCANCEL, 0},
                                         CloseCase{"CloseBox", WM_SYSCOMMAND, SC_CLOSE, 0}),
                         [](const testing::TestParamInfo<CloseCase>& info) {
                             return info.param.name;
                         });

TEST_F(SystemInfoTest, TwoPressesRunTheProgramTwiceOneAfterTheOther) {
    place1.SetText(program);
    AboutRun run = WorkAboutBox([](HWND box) {
        HWND button = GetDlgItem(box, IDC_SYSTEM_INFO);
        PostMessageA(button, BM_CLICK, 0, 0);
        PostMessageA(button, BM_CLICK, 0, 0);
        PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
    });
    ASSERT_TRUE(run.seen);
    EXPECT_EQ(run.result, 0);
    EXPECT_EQ(Runs(), (std::map<std::string, std::string>{{program, "start\nend\nstart\nend\n"}}));
}

std::string VersionText(const std::vector<BYTE>& info, const char* name) {
    char* value = nullptr;
    UINT size = 0;
    std::string path = std::string("\\StringFileInfo\\040904E4\\") + name;
    if (!VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &size))
        return "(none)";
    return value;
}

TEST(VersionResource, CarriesTheProgramsVersionAndTexts) {
    const std::string exe = WinePath(VORNALY_EXE_UNIX_PATH);
    DWORD size = GetFileVersionInfoSizeA(exe.c_str(), nullptr);
    ASSERT_GT(size, 0u) << exe;
    std::vector<BYTE> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00020000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00020000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    const std::pair<const char*, const char*> texts[] = {
        {"FileDescription", "Application"},
        {"FileVersion", "Version 2.0.000"},
        {"InternalName", "Vornaly Installer"},
        {"OriginalFilename", "VORNALY.EXE"},
        {"ProductName", "Vornaly Installer for Windows'98, Windows'95, Windows'NT"},
        {"ProductVersion", "Version 2.0"},
    };
    for (auto [name, text] : texts) EXPECT_EQ(VersionText(info, name), text) << name;
    for (const char* name : {"CompanyName", "LegalCopyright", "Comments"})
        EXPECT_NE(VersionText(info, name), "(none)") << name;
}

}  // namespace
