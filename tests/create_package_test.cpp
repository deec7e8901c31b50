// The whole Create in this process: the real main dialog, the real Open and
// start-program dialogs answered as a user would, the real zip component,
// and stand-in stubs beside the test program.
#include <gtest/gtest.h>

#include <windows.h>

#include <imagehlp.h>

#include <functional>
#include <memory>

#include "component_calls.h"
#include "create_front.h"
#include "create_package.h"
#include "dialog_driver.h"
#include "drop.h"
#include "file_copy.h"
#include "main_dialog_fixture.h"
#include "recording_front.h"
#include "package_format.h"
#include "setup_list.h"
#include "stub_files.h"
#include "temp_dir.h"
#include "window_front.h"
#include "working_values.h"

namespace {

constexpr char OpenCaption[] = "Select the Vornaly executable";
constexpr int FileNameField = 0x47C;

class CreateTest : public MainDialogTest {
protected:
    void SetUp() override {
        MainDialogTest::SetUp();
        disk1 = source.MakeFolder("Disk1");
        source.MakeFile("Disk1\\SETUP.EXE", "MZ setup program");
        source.MakeFile("Disk1\\README.TXT", Noise(50000));
        disk2 = source.MakeFolder("Disk2");
        source.MakeFile("Disk2\\DATA.CAB", Noise(120000));
        AddSetupFolders(TheShell.setupList, {disk1, disk2});
    }

    // Presses Create and types outputPath into the Open dialog. Returns the
    // text of the message box with the given caption, if one appears.
    std::string Create(const std::string& outputPath, const char* messageCaption = nullptr) {
        DialogAnswerer open(OpenCaption, IDOK, [&](HWND dialog) {
            SetDlgItemTextA(dialog, FileNameField, outputPath.c_str());
        });
        std::unique_ptr<DialogAnswerer> message;
        if (messageCaption) message = std::make_unique<DialogAnswerer>(messageCaption);
        Click(IDC_CREATE);
        open.Join();
        EXPECT_TRUE(open.Seen());
        if (!message) return "";
        message->Join();
        return message->Text();
    }

    TempDir source, out;
    std::string disk1, disk2;
};

// The outer stub's length S fixes every offset of the package.
void ExpectPackage(const std::string& package, const StubFiles& stubs, const std::string& record) {
    const uint64_t s = stubs.Outer().size();
    ASSERT_GT(package.size(), RecordOffset(s) + RecordLength + InnerStubLength + 22);
    EXPECT_EQ(package.substr(0, s), stubs.Outer());
    EXPECT_EQ(package.substr(s, 404), std::string(394, '\0') + "MORVASX998");
    EXPECT_EQ(package.substr(s + 404, s), stubs.Outer());
    EXPECT_EQ(package.substr(RecordOffset(s) - 20, 20), "MORVASX998MELKOP1998");
    EXPECT_EQ(package.substr(RecordOffset(s), RecordLength), record);
    EXPECT_EQ(package.substr(RecordOffset(s) + RecordLength, InnerStubLength), stubs.Inner());
    EXPECT_EQ(package.substr(RecordOffset(s) + RecordLength + InnerStubLength, 2), "ZS");
}

TEST_F(CreateTest, WritesThePackageAndOnlyThePackage) {
    struct Case {
        const char* name;
        std::string fileName;
        bool span;
        std::string password;
    };
    const Case cases[] = {
        {"plain", "Setup.exe", false, ""},
        {"45-character password", "Setup.exe", false, std::string(45, 'w')},
        {"several dots", "my.setup.exe", false, ""},
        {"path over 127 characters", std::string(140, 'L') + ".exe", false, ""},
        {"span", "Setup.exe", true, "pw"},
    };
    StubFiles stubs;
    for (const Case& c : cases) {
        TempDir out;
        const std::string output = out / c.fileName;
        SendMessageA(TheShell.spanCheckBox, BM_SETCHECK, c.span ? BST_CHECKED : BST_UNCHECKED, 0);
        SetWindowTextA(TheShell.passwordField, c.password.c_str());

        Create(output);

        // The last entry of the archive is the second folder's only file.
        const std::string record =
            InstallationRecord("DATA.CAB", c.password.substr(0, 39), "SETUP.EXE");
        if (c.span) {
            EXPECT_EQ(FolderContents(out.Path()), std::vector<std::string>{"Setup_001.exe"});
            ExpectPackage(ReadWholeFile(out / "Setup_001.exe"), stubs, WithPieceCount(record, 1));
        } else {
            EXPECT_EQ(FolderContents(out.Path()), std::vector<std::string>{c.fileName}) << c.name;
            ExpectPackage(ReadWholeFile(output), stubs, record);
        }
        EXPECT_EQ(SendMessageA(TheShell.setupList, LB_GETCOUNT, 0, 0), 2) << c.name;
        EXPECT_FALSE(IsWindowVisible(TheShell.progressBar)) << c.name;
    }
}

// The zip component trusts the archive it wrote last only while it is as
// the component left it; one that someone else changed between the Create's
// steps is read again, so the package names what the archive now holds.
TEST_F(CreateTest, ListsAnArchiveChangedBetweenItsStepsAsItIsNow) {
    StubFiles stubs;
    source.MakeFile("Other\\INSTALL.EXE", "MZ another program");
    source.MakeFile("Other\\ZZLAST.TXT", "last");
    const std::string other = out / "other.zip";
    ASSERT_EQ(Zip(other, source / "Other\\*.*"), MVWRAP_OK);
    const struct {
        const char* what;
        std::function<void()> change;
        std::string lastEntry, start;
    } cases[] = {
        {"left alone", [] {}, "DATA.CAB", "SETUP.EXE"},
        {"replaced by another archive",
         [&] { ASSERT_TRUE(CopyFileA(other.c_str(), ArchivePath.c_str(), FALSE)); }, "ZZLAST.TXT",
         "INSTALL.EXE"},
        {"a byte of its first entry's data changed",
         [] {
             HANDLE file = CreateFileA(ArchivePath.c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                       nullptr, OPEN_EXISTING, 0, nullptr);
             ASSERT_NE(file, INVALID_HANDLE_VALUE);
             FILETIME written;
             GetFileTime(file, nullptr, nullptr, &written);
             char byte = 0;
             DWORD done = 0;
             SetFilePointer(file, 200, nullptr, FILE_BEGIN);
             ReadFile(file, &byte, 1, &done, nullptr);
             byte ^= 0x10;
             SetFilePointer(file, 200, nullptr, FILE_BEGIN);
             WriteFile(file, &byte, 1, &done, nullptr);
             written.dwHighDateTime += 1;  // about seven minutes on, whatever the clock's step
             SetFileTime(file, nullptr, nullptr, &written);
             CloseHandle(file);
         },
         "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string output = out / "Setup.exe";
        DeleteFileA(output.c_str());
        RecordingFront front(output, c.change);
        UseCreateFront(front);
        const bool built = CreatePackage();
        UseCreateFront(WindowFront());
        ASSERT_TRUE(built);
        ExpectPackage(ReadWholeFile(output), stubs, InstallationRecord(c.lastEntry, "", c.start));
    }
}

TEST_F(CreateTest, PackageCarriesTheArchiveTimes) {
    StubFiles stubs;
    const std::string output = out / "Setup.exe";
    Create(output);
    FILETIME written{};
    HANDLE file =
        CreateFileA(output.c_str(), 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    GetFileTime(file, nullptr, nullptr, &written);
    CloseHandle(file);
    EXPECT_NE(SavedArchiveTimes.lastWrite >> 32, 0u);
    EXPECT_EQ(written.dwLowDateTime, static_cast<DWORD>(SavedArchiveTimes.lastWrite));
    EXPECT_EQ(written.dwHighDateTime, static_cast<DWORD>(SavedArchiveTimes.lastWrite >> 32));
}

TEST_F(CreateTest, AFailedStepSaysWhatFailedAndLeavesNoPackage) {
    struct Case {
        const char* name;
        long inner, outer;
        std::string message;  // "@" stands for the program folder
    };
    const Case cases[] = {
        {"inner stub missing", -1, 30000, "Unable to locate @Vornaly.vnp"},
        {"outer stub missing", 97792, -1, "Unable to locate @Install.vnp"},
        {"inner stub of the wrong length", 90000, 30000, "Corrupted installation package"},
    };
    for (const Case& c : cases) {
        StubFiles stubs(c.inner, c.outer);
        TempDir out;
        std::string message = c.message;
        if (message.find('@') != std::string::npos)
            message.replace(message.find('@'), 1, ProgramFolder());

        EXPECT_EQ(Create(out / "Setup.exe", "Vornaly"), message) << c.name;
        // The archive may stay for a second try; nothing that looks like a package does.
        for (const std::string& name : FolderContents(out.Path()))
            EXPECT_EQ(name, "Setup.zip") << c.name;
    }
}

TEST_F(CreateTest, NamesOfTheWorkingFilesAreRefused) {
    StubFiles stubs;
    for (const char* name : {"ABCDPlus.exe", "abcdPLUS.exe", "Setup.zip"}) {
        const std::string output = out.MakeFile(name, "kept");
        EXPECT_EQ(Create(output, "Vornaly"),
                  "Unable to write " + output +
                      ": this name is kept for a working file; choose another name");
        EXPECT_EQ(FolderContents(out.Path()), std::vector<std::string>{name});
        DeleteFileA(output.c_str());
    }
}

TEST_F(CreateTest, OutputHeldByAnotherProgramIsReportedAndKept) {
    StubFiles stubs;
    const std::string output = out.MakeFile("Setup.exe", "someone else's file");
    HANDLE held = CreateFileA(output.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const std::string message = Create(output, "Vornaly");
    CloseHandle(held);
    // The old file is moved aside before anything is written, and that is
    // where a file held open is refused.
    EXPECT_EQ(message,
              "Unable to move " + output + " aside to " + (out / "Setup.old") + ": Error: 70");
    EXPECT_EQ(ReadWholeFile(output), "someone else's file");
    EXPECT_EQ(FolderContents(out.Path()), std::vector<std::string>{"Setup.exe"});
}

TEST_F(CreateTest, EmptySetupListDoesNothing) {
    SendMessageA(TheShell.setupList, LB_RESETCONTENT, 0, 0);
    DialogAnswerer open(OpenCaption, IDCANCEL, nullptr, 500);
    Click(IDC_CREATE);
    open.Join();
    EXPECT_FALSE(open.Seen());
}

TEST_F(CreateTest, SecondCreateRemoveAndDropsWaitWhileItRuns) {
    StubFiles stubs;
    SendMessageA(TheShell.setupList, LB_SETCURSEL, 0, 0);
    const std::string extra = source.MakeFolder("Disk3");
    bool secondCreateReturned = false;
    DialogAnswerer open(OpenCaption, IDOK, [&](HWND openDialog) {
        // Sent from here while the first Create waits in its Open dialog; an
        // unguarded second Create would block in an Open dialog of its own.
        DWORD_PTR result;
        secondCreateReturned =
            SendMessageTimeoutA(dialog, WM_COMMAND, IDC_CREATE, 0, SMTO_NORMAL, 3000, &result) != 0;
        SendMessageA(dialog, WM_COMMAND, IDC_REMOVE, 0);
        DropOn(dialog, {extra});
        SetDlgItemTextA(openDialog, FileNameField, (out / "Setup.exe").c_str());
    });
    Click(IDC_CREATE);
    open.Join();
    EXPECT_TRUE(secondCreateReturned);
    EXPECT_EQ(Entries(), (std::vector<std::string>{disk1, disk2}));
    EXPECT_EQ(FolderContents(out.Path()), std::vector<std::string>{"Setup.exe"});
}

}  // namespace

namespace {

// Leaves a package, a spanned one and their sources in the build tree for
// check_packages.py to open with independent zip readers on the host. Runs
// only where the test run names that folder.
TEST_F(CreateTest, WritesPackagesForIndependentReaders) {
    const char* unixFolder = getenv("CREATE_PACKAGES_DIR");
    if (!unixFolder) GTEST_SKIP() << "written for check_packages.py only";
    const std::string folder = WinePath(unixFolder);
    SendMessageA(TheShell.setupList, LB_RESETCONTENT, 0, 0);
    const std::string setup = folder + "\\setup";
    RemoveTree(folder);
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA(setup.c_str(), nullptr);
    const std::pair<const char*, std::string> files[] = {
        {"Disk1\\SETUP.EXE", "MZ setup program"}, {"Disk1\\README.TXT", std::string(40000, 'r')},
        {"Disk1\\SUB\\NESTED.DLL", Noise(70000)}, {"Disk2\\DATA1.CAB", Noise(1500000)},
        {"Disk3\\DATA2.CAB", Noise(1600000)},     {"Disk3\\EMPTY.TXT", ""},
    };
    for (const auto& [name, bytes] : files) {
        const std::string path = setup + "\\" + name;
        MakeSureDirectoryPathExists(path.c_str());
        HANDLE file =
            CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD done;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
        CloseHandle(file);
    }
    AddSetupFolders(TheShell.setupList, {setup + "\\Disk1", setup + "\\Disk2", setup + "\\Disk3"});
    StubFiles stubs;
    CreateDirectoryA((folder + "\\plain").c_str(), nullptr);
    CreateDirectoryA((folder + "\\span").c_str(), nullptr);

    Create(folder + "\\plain\\Setup.exe");
    SendMessageA(TheShell.spanCheckBox, BM_SETCHECK, BST_CHECKED, 0);
    Create(folder + "\\span\\Setup.exe");

    EXPECT_EQ(FolderContents(folder + "\\plain"), std::vector<std::string>{"Setup.exe"});
    EXPECT_EQ(FolderContents(folder + "\\span"),
              (std::vector<std::string>{"Setup_001.exe", "Setup_002.exe", "Setup_003.exe"}));
}

}  // namespace
