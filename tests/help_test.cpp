// Help in the real program: which help it opens for each Windows, and that
// it finds it beside the program whatever the current folder. Wine reports
// another Windows to one program through its AppDefaults setting, so each
// version is a row here. Where the browser is asked, the .htm association
// points at a recorder, so that no real browser starts.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <tuple>

#include "dialog_driver.h"
#include "help_choice.h"
#include "help_program.h"
#include "resource.h"
#include "shell.h"
#include "temp_dir.h"

namespace {

struct ViewerCase {
    const char* name;
    DWORD platformId;
    DWORD majorVersion;
    HelpViewer expected;
};

const ViewerCase ViewerCases[] = {
    {"Windows 3.1 with Win32s", VER_PLATFORM_WIN32s, 3, HelpViewer::HelpProgram},
    {"Windows 95, 98 and ME", VER_PLATFORM_WIN32_WINDOWS, 4, HelpViewer::HelpProgram},
    {"NT 3.51", VER_PLATFORM_WIN32_NT, 3, HelpViewer::HelpProgram},
    {"NT 4.0", VER_PLATFORM_WIN32_NT, 4, HelpViewer::HelpProgram},
    {"2000 and XP", VER_PLATFORM_WIN32_NT, 5, HelpViewer::HelpProgram},
    {"Vista to 8.1", VER_PLATFORM_WIN32_NT, 6, HelpViewer::Browser},
    {"10 and 11", VER_PLATFORM_WIN32_NT, 10, HelpViewer::Browser},
};

TEST(HelpChoice, ViewerForEachWindows) {
    for (const ViewerCase& c : ViewerCases)
        EXPECT_EQ(HelpViewerFor(c.platformId, c.majorVersion), c.expected) << c.name;
}

std::string DistFolder() { return WinePath(VORNALY_DIST_UNIX_PATH); }

// Points the .htm association at a command, and takes it back again. Wine
// reads associations from the machine's classes only, not the user's.
class PageAssociation {
public:
    // An empty command: no association at all.
    explicit PageAssociation(const std::string& command) {
        char previous[256] = "";
        LONG size = sizeof previous;
        hadExtension_ =
            RegQueryValueA(HKEY_CLASSES_ROOT, Extension, previous, &size) == ERROR_SUCCESS;
        previous_ = previous;
        if (command.empty()) {
            RegDeleteTreeA(HKEY_CLASSES_ROOT, Extension);
            return;
        }
        Set(Extension, ProgId);
        Set(std::string(ProgId) + "\\shell\\open\\command", command);
    }
    ~PageAssociation() {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, ProgId);
        if (hadExtension_)
            Set(Extension, previous_);
        else
            RegDeleteTreeA(HKEY_CLASSES_ROOT, Extension);
    }
    PageAssociation(const PageAssociation&) = delete;
    PageAssociation& operator=(const PageAssociation&) = delete;

private:
    static constexpr char Extension[] = ".htm";
    static constexpr char ProgId[] = "VornalyTest.Page";

    static void Set(const std::string& key, const std::string& value) {
        EXPECT_EQ(RegSetValueA(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, value.c_str(),
                               static_cast<DWORD>(value.size())),
                  ERROR_SUCCESS)
            << key;
    }

    bool hadExtension_ = false;
    std::string previous_;
};

// Makes Wine report a Windows version to VORNALY.EXE only ("" leaves the
// prefix's own, Windows 7), and takes it back again.
class ProgramWindowsVersion {
public:
    explicit ProgramWindowsVersion(const std::string& version) {
        if (version.empty()) return;
        EXPECT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, Key, "Version", REG_SZ, version.c_str(),
                                  static_cast<DWORD>(version.size() + 1)),
                  ERROR_SUCCESS);
    }
    ~ProgramWindowsVersion() { RegDeleteTreeA(HKEY_CURRENT_USER, Key); }
    ProgramWindowsVersion(const ProgramWindowsVersion&) = delete;
    ProgramWindowsVersion& operator=(const ProgramWindowsVersion&) = delete;

private:
    static constexpr char Key[] = "Software\\Wine\\AppDefaults\\VORNALY.EXE";
};

// What each Windows must give, written out rather than derived.
struct VersionCase {
    const char* name;
    const char* wineVersion;
    HelpViewer expected;
};

// clang-format off
const VersionCase Versions[] = {
    {"Windows98", "win98", HelpViewer::HelpProgram},
    {"NT40", "nt40", HelpViewer::HelpProgram},
    {"XP", "winxp", HelpViewer::HelpProgram},
    {"Windows7", "", HelpViewer::Browser},
    {"Windows10", "win10", HelpViewer::Browser},
};
// clang-format on

struct StartCase {
    const char* name;
    bool fromProgramFolder;  // else from a folder of the test's own
    bool browserStarts;      // else the association names a program that is not there
    bool associated;         // else nothing opens .htm files
};

const StartCase Starts[] = {
    {"FromItsOwnFolder", true, true, true},
    {"FromAnotherFolder", false, true, true},
    {"WithoutABrowser", false, false, true},
    {"WithoutAnAssociation", false, false, false},
};

void PrintTo(const VersionCase& c, std::ostream* out) { *out << c.name; }
void PrintTo(const StartCase& c, std::ostream* out) { *out << c.name; }

using HelpCase = std::tuple<VersionCase, StartCase>;

class HelpButton : public testing::TestWithParam<HelpCase> {};

// This process's environment with the search path of a user's session,
// the system folders only: the test tree puts the program folder on it,
// where the help program would find a bare file name.
std::string UserEnvironment() {
    char system[MAX_PATH] = "", windows[MAX_PATH] = "";
    GetSystemDirectoryA(system, sizeof system);
    GetWindowsDirectoryA(windows, sizeof windows);
    std::string block;
    char* strings = GetEnvironmentStringsA();
    for (const char* entry = strings; *entry; entry += strlen(entry) + 1) {
        if (_strnicmp(entry, "PATH=", 5) != 0) block.append(entry, strlen(entry) + 1);
    }
    FreeEnvironmentStringsA(strings);
    block += std::string("PATH=") + system + ";" + windows;
    block += '\0';
    block += '\0';
    return block;
}

// Reads the recorder's log once it is there.
std::string WaitForLog(const std::string& path, DWORD timeoutMs = 20000) {
    const DWORD start = GetTickCount();
    while (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (GetTickCount() - start > timeoutMs) return "";
        Sleep(50);
    }
    return ReadWholeFile(path);
}

TEST_P(HelpButton, OpensTheHelpFileAtItsMainTopic) {
    const VersionCase& version = std::get<0>(GetParam());
    const StartCase& c = std::get<1>(GetParam());
    ProgramWindowsVersion reported(version.wineVersion);
    TempDir dir;
    const std::string recorder = dir / "open_recorder.exe";
    ASSERT_TRUE(CopyFileA(WinePath(OPEN_RECORDER_UNIX_PATH).c_str(), recorder.c_str(), FALSE));
    const std::string browser = c.browserStarts ? recorder : dir / "missing.exe";
    PageAssociation association(c.associated ? "\"" + browser + "\" \"%1\"" : "");

    const std::string folder = c.fromProgramFolder ? DistFolder() : dir.Path();
    std::string commandLine = "\"" + DistFolder() + "\\VORNALY.EXE\"";
    std::string environment = UserEnvironment();
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0,
                               &environment[0], folder.c_str(), &startup, &process))
        << GetLastError();
    CloseHandle(process.hThread);
    HWND window = WaitForWindow(process.dwProcessId, MainDialogTitle);
    if (!window) TerminateProcess(process.hProcess, 1);
    ASSERT_NE(window, nullptr);

    const std::string page = DistFolder() + "\\" + HelpPageName;
    // Where no browser opens the page, the help program opens the file.
    if (version.expected == HelpViewer::HelpProgram || !c.browserStarts) {
        HelpProgramWatch watch;
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_HELP_BUTTON, BN_CLICKED), 0);
        const HelpProgramView& help = watch.Result();
        EXPECT_TRUE(help.messageBoxes.empty()) << help.messageBoxes.front();
        EXPECT_NE(help.window, nullptr);
        EXPECT_EQ(help.title, "Vornaly Installer Help");
        EXPECT_EQ(help.topicText.rfind("Using Vornaly Installer", 0), 0u) << help.topicText;
        QuitHelpProgram(window, (DistFolder() + "\\" + HelpFileName).c_str());
    } else {
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_HELP_BUTTON, BN_CLICKED), 0);
        // The page starts with its first topic: opened at its top.
        EXPECT_EQ(WaitForLog(recorder + ".log"), "\"" + recorder + "\" \"" + page + "\"");
    }

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 20000), WAIT_OBJECT_0);
    DWORD exitCode = 99;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    CloseHandle(process.hProcess);
}

INSTANTIATE_TEST_SUITE_P(Table, HelpButton,
                         testing::Combine(testing::ValuesIn(Versions), testing::ValuesIn(Starts)),
                         [](const testing::TestParamInfo<HelpCase>& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::get<1>(info.param).name;
                         });

}  // namespace
