// A Create that fails, at whichever step and through either front end,
// leaves the output folder as it found it: the package and the pieces that
// were there, byte for byte with their attributes, and nothing else. And what the Create holds
// while it runs, what it writes beside read-only stubs and over a hidden
// file. The window's Create runs in this process beside the real stubs; the
// builder runs from a program folder of its own, so that its stubs can be
// locked or made read-only without disturbing other tests. Some cases fill
// the 1 MB disk that the test run mounts; where it could not be mounted they
// are skipped.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "console_run.h"
#include "create_front.h"
#include "create_package.h"
#include "dialog_driver.h"
#include "main_dialog_fixture.h"
#include "recording_front.h"
#include "setup_list.h"
#include "stub_files.h"
#include "temp_dir.h"
#include "window_front.h"

namespace {

const char* const ProgramFiles[] = {"VNPMAKE.EXE", "MVWRAP.DLL", "Install.vnp", "Vornaly.vnp"};

void CopyFrom(const std::string& folder, const std::string& name, const std::string& to) {
    ASSERT_TRUE(CopyFileA((folder + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE))
        << name;
}

// Every file of a folder with its bytes and attributes.
struct Entry {
    std::string bytes;
    DWORD attributes;
    bool operator==(const Entry& other) const {
        return bytes == other.bytes && attributes == other.attributes;
    }
};
using Snapshot = std::map<std::string, Entry>;

Snapshot Snap(const std::string& folder) {
    Snapshot snapshot;
    for (const std::string& name : FolderContents(folder)) {
        const std::string path = folder + "\\" + name;
        snapshot[name] = {ReadWholeFile(path), GetFileAttributesA(path.c_str())};
    }
    return snapshot;
}

void Put(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD done = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
    CloseHandle(file);
}

void PrintTo(const Entry& entry, std::ostream* out) {
    *out << entry.bytes.size() << " bytes, attributes " << entry.attributes;
}

class CreateFaults : public MainDialogTest {
protected:
    static void SetUpTestSuite() {
        // The window's Create finds the real stubs beside this program.
        const std::string dist = WinePath(VORNALY_DIST_UNIX_PATH);
        for (const char* stub : {"Install.vnp", "Vornaly.vnp"}) {
            SetFileAttributesA((ProgramFolder() + stub).c_str(), FILE_ATTRIBUTE_NORMAL);
            CopyFrom(dist, stub, ProgramFolder().substr(0, ProgramFolder().size() - 1));
        }
    }

    void SetUp() override {
        MainDialogTest::SetUp();
        const std::string dist = WinePath(VORNALY_DIST_UNIX_PATH);
        for (const char* name : ProgramFiles) CopyFrom(dist, name, program.Path());
        work.MakeFile("DISK1\\SETUP.EXE", "MZ setup");
        work.MakeFile("DISK1\\README.TXT", "Read me.");
        work.MakeFile("TWO\\A.EXE", "MZ a");
        work.MakeFile("TWO\\B.EXE", "MZ b");
    }

    void TearDown() override {
        UseCreateFront(WindowFront());
        MainDialogTest::TearDown();
    }

    // Creates through the window's steps in this process; the messages said.
    std::string WindowCreate(
        const std::vector<std::string>& folders, const std::string& output, bool span,
        std::function<void()> afterZip = [] {}) {
        SendMessageA(TheShell.setupList, LB_RESETCONTENT, 0, 0);
        AddSetupFolders(TheShell.setupList, folders);
        SendMessageA(TheShell.spanCheckBox, BM_SETCHECK, span ? BST_CHECKED : BST_UNCHECKED, 0);
        RecordingFront front(output, std::move(afterZip));
        UseCreateFront(front);
        const bool built = CreatePackage();
        UseCreateFront(WindowFront());
        // Each failure says what failed.
        EXPECT_EQ(built, front.said.empty()) << front.said;
        return front.said;
    }

    ConsoleRun BuilderCreate(const std::string& arguments) {
        return RunConsoleProgram(program / "VNPMAKE.EXE", work.Path(), arguments);
    }

    TempDir program, work;
};

// 65,534 empty files, made on the host by the test run: with DISK1's two,
// one more than an archive holds.
const std::string ManyFiles = WinePath(MANY_FILES_UNIX_PATH);

enum class Via { Window, Builder };

struct FaultCase {
    const char* name;
    Via via;
    bool onFullDisk;
    // Noise in a setup folder BIG of its own: on the full disk it decides
    // which step runs out of room.
    size_t bigBytes;
    bool many, gone, span, lockStub, cancel, longName;
    const char* options;  // builder switches
    const char* folders;  // builder folders, blank-separated
    const char* said;     // part of what the Create said; empty: nothing
};

TEST_F(CreateFaults, EveryFailingStepLeavesTheOutputFolderAsItWas) {
    const std::string disk = WinePath(FULL_DISK_UNIX_PATH);
    const bool haveDisk = IsSmallDisk(disk);
    // On the 1 MB disk, with the real stubs (inner 97,792 bytes, outer 48,128):
    // 2 MB cannot be zipped; 520,000 bytes zip but the inner executable beside
    // its archive does not fit; 400,000 bytes get that far but the package
    // beside the intermediate file does not fit; 340,000 bytes give a
    // package but no room for its piece.
    const FaultCase cases[] = {
        {"window, Open dialog cancelled", Via::Window, false, 0, false, false, false, false, true,
         false, "", "", ""},
        {"window, a setup folder removed after it was listed", Via::Window, false, 0, false, true,
         false, false, false, false, "", "", "GONE\" does not exist"},
        {"window, the entry limit", Via::Window, false, 0, true, false, false, false, false, false,
         "", "", "more than 65,535 files"},
        {"window, a locked stub", Via::Window, false, 0, false, false, false, true, false, false,
         "", "", "Unable to copy"},
        {"window, a package path too long", Via::Window, false, 0, false, false, false, false,
         false, true, "", "", "characters"},
        {"window, disk full while zipping", Via::Window, true, 2000000, false, false, false, false,
         false, false, "", "", "The disk is full"},
        {"window, disk full writing the inner executable", Via::Window, true, 520000, false, false,
         false, false, false, false, "", "", "Error: "},
        {"window, disk full writing the package", Via::Window, true, 400000, false, false, false,
         false, false, false, "", "", "Error: "},
        {"window, disk full while spanning", Via::Window, true, 340000, false, false, true, false,
         false, false, "", "", "Error: "},
        {"builder, several start programs", Via::Builder, false, 0, false, false, false, false,
         false, false, "", "TWO", "several EXE entries"},
        {"builder, a /START: entry the archive lacks", Via::Builder, false, 0, false, false, false,
         false, false, false, "/START:C.EXE", "TWO", "is not an EXE entry"},
        {"builder, a missing setup folder", Via::Builder, false, 0, false, false, false, false,
         false, false, "", "DISK1 DISK9", "does not exist"},
        {"builder, the entry limit", Via::Builder, false, 0, true, false, false, false, false,
         false, "", "DISK1", "more than 65,535 files"},
        {"builder, a locked stub", Via::Builder, false, 0, false, false, false, true, false, false,
         "", "DISK1", "Unable to copy"},
        {"builder, a package path too long", Via::Builder, false, 0, false, false, false, false,
         false, true, "", "DISK1", "characters"},
        {"builder, disk full while zipping", Via::Builder, true, 2000000, false, false, false,
         false, false, false, "", "DISK1", "The disk is full"},
        {"builder, disk full writing the inner executable", Via::Builder, true, 520000, false,
         false, false, false, false, false, "", "DISK1", "Error: "},
        {"builder, disk full writing the package", Via::Builder, true, 400000, false, false, false,
         false, false, false, "", "DISK1", "Error: "},
        {"builder, disk full while spanning", Via::Builder, true, 340000, false, false, true, false,
         false, false, "/SPAN", "DISK1", "Error: "},
    };
    for (const FaultCase& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.onFullDisk && !haveDisk) continue;
        TempDir outDir;
        const std::string out = c.onFullDisk ? disk : outDir.Path();
        for (const std::string& name : FolderContents(out)) {
            SetFileAttributesA((out + "\\" + name).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA((out + "\\" + name).c_str());
        }
        // An earlier package, read-only, and a file of someone else's.
        const std::string old = out + "\\Setup.exe";
        Put(old, "an earlier package");
        SetFileAttributesA(old.c_str(), FILE_ATTRIBUTE_READONLY);
        Put(out + "\\keep.txt", "someone else's");
        // And the pieces of an earlier spanned package, the first read-only.
        Put(out + "\\Setup_001.exe", "an earlier piece");
        SetFileAttributesA((out + "\\Setup_001.exe").c_str(), FILE_ATTRIBUTE_READONLY);
        Put(out + "\\Setup_002.exe", "the earlier last piece");
        std::string output = old;
        if (c.longName) {
            output = out + "\\" + std::string(255 - out.size() - 5, 'L') + ".exe";
            Put(output.substr(0, 254), "cut here");
        }
        const Snapshot before = Snap(out);

        std::vector<std::string> folders = {work / "DISK1"};
        std::string builderFolders = c.folders;
        if (c.bigBytes) {
            work.MakeFile("BIG\\DATA.CAB", Noise(c.bigBytes));
            folders.push_back(work / "BIG");
            builderFolders += " BIG";
        }
        if (c.many) {
            folders.push_back(ManyFiles);
            builderFolders += " \"" + ManyFiles + "\"";
        }
        if (c.gone) folders.push_back(work.MakeFolder("GONE"));
        const std::string stub =
            (c.via == Via::Window ? ProgramFolder() : program.Path() + "\\") + "Vornaly.vnp";
        HANDLE locked = c.lockStub ? CreateFileA(stub.c_str(), GENERIC_READ, 0, nullptr,
                                                 OPEN_EXISTING, 0, nullptr)
                                   : INVALID_HANDLE_VALUE;

        std::string said;
        if (c.via == Via::Window) {
            SendMessageA(TheShell.setupList, LB_RESETCONTENT, 0, 0);
            AddSetupFolders(TheShell.setupList, folders);
            // Listed while it was there; gone before the Create zips it.
            if (c.gone) RemoveDirectoryA((work / "GONE").c_str());
            SendMessageA(TheShell.spanCheckBox, BM_SETCHECK, c.span ? BST_CHECKED : BST_UNCHECKED,
                         0);
            RecordingFront front(c.cancel ? "" : output);
            UseCreateFront(front);
            EXPECT_FALSE(CreatePackage());
            UseCreateFront(WindowFront());
            said = front.said;
        } else {
            const ConsoleRun run =
                BuilderCreate(std::string(c.options) + " \"" + output + "\" " + builderFolders);
            EXPECT_EQ(run.exitCode, 1);
            said = run.err;
        }
        if (locked != INVALID_HANDLE_VALUE) CloseHandle(locked);
        if (c.gone) RemoveDirectoryA((work / "GONE").c_str());
        RemoveTree(work / "BIG");

        if (*c.said)
            EXPECT_NE(said.find(c.said), std::string::npos) << said;
        else
            EXPECT_EQ(said, "");
        EXPECT_EQ(Snap(out), before);
        if (c.onFullDisk)
            for (const std::string& name : FolderContents(out)) {
                SetFileAttributesA((out + "\\" + name).c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA((out + "\\" + name).c_str());
            }
    }
}

// Two package names in one folder that share the text before the first dot
// share their working files: while one Create runs, the other is refused at
// once, and the first one's package is whole.
TEST_F(CreateFaults, ASecondCreateOnTheSameWorkingFilesIsRefused) {
    TempDir out;
    ConsoleRun second;
    const std::string said = WindowCreate({work / "DISK1"}, out / "MyApp.Pro.exe", false, [&] {
        second = BuilderCreate("\"" + (out / "MyApp.Home.exe") + "\" DISK1");
    });
    EXPECT_EQ(said, "");
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_NE(second.err.find("Vornaly: Unable to use " + (out / "MyApp.zip") +
                              ": another Create is using it"),
              std::string::npos)
        << second.err;
    EXPECT_EQ(FolderContents(out.Path()), std::vector<std::string>{"MyApp.Pro.exe"});

    // Once it has ended, the name is free again.
    EXPECT_EQ(BuilderCreate("\"" + (out / "MyApp.Home.exe") + "\" DISK1").exitCode, 0);
    EXPECT_TRUE(ReadWholeFile(out / "MyApp.Home.exe") == ReadWholeFile(out / "MyApp.Pro.exe"));
}

// A hidden or system file at the chosen path is replaced whole: none of its
// tail stays behind the new package.
TEST_F(CreateFaults, AHiddenOrSystemFileAtThePackagePathIsReplacedWhole) {
    TempDir plain;
    ASSERT_EQ(BuilderCreate("\"" + (plain / "Setup.exe") + "\" DISK1").exitCode, 0);
    const std::string expected = ReadWholeFile(plain / "Setup.exe");
    ASSERT_FALSE(expected.empty());
    for (DWORD attributes : {DWORD{FILE_ATTRIBUTE_HIDDEN}, DWORD{FILE_ATTRIBUTE_SYSTEM},
                             DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY}}) {
        SCOPED_TRACE(attributes);
        for (Via via : {Via::Window, Via::Builder}) {
            TempDir out;
            out.MakeFile("Setup.exe", std::string(2 << 20, 'x'), attributes);
            if (via == Via::Window)
                EXPECT_EQ(WindowCreate({work / "DISK1"}, out / "Setup.exe", false), "");
            else
                EXPECT_EQ(BuilderCreate("\"" + (out / "Setup.exe") + "\" DISK1").exitCode, 0);
            EXPECT_TRUE(ReadWholeFile(out / "Setup.exe") == expected);
            EXPECT_EQ(FolderContents(out.Path()), std::vector<std::string>{"Setup.exe"});
        }
    }
}

// A program folder copied from a CD: read-only stubs. Each Create leaves
// only its package, which is not read-only, and so the next one can replace
// it.
TEST_F(CreateFaults, ReadOnlyStubsTwiceInARow) {
    const std::string windowStubs[] = {ProgramFolder() + "Install.vnp",
                                       ProgramFolder() + "Vornaly.vnp"};
    const std::string builderStubs[] = {program / "Install.vnp", program / "Vornaly.vnp"};
    for (const std::string& stub : windowStubs)
        SetFileAttributesA(stub.c_str(), FILE_ATTRIBUTE_READONLY);
    for (const std::string& stub : builderStubs)
        SetFileAttributesA(stub.c_str(), FILE_ATTRIBUTE_READONLY);
    for (Via via : {Via::Window, Via::Builder}) {
        SCOPED_TRACE(via == Via::Window ? "window" : "builder");
        TempDir out;
        for (int run = 1; run <= 2; ++run) {
            SCOPED_TRACE(run);
            if (via == Via::Window)
                EXPECT_EQ(WindowCreate({work / "DISK1"}, out / "Setup.exe", false), "");
            else
                EXPECT_EQ(BuilderCreate("\"" + (out / "Setup.exe") + "\" DISK1").err, "");
            EXPECT_EQ(FolderContents(out.Path()), std::vector<std::string>{"Setup.exe"});
            EXPECT_FALSE(GetFileAttributesA((out / "Setup.exe").c_str()) & FILE_ATTRIBUTE_READONLY);
        }
    }
    for (const std::string& stub : windowStubs)
        SetFileAttributesA(stub.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// A setup folder of 255 characters is refused by name; cut to 254 it would
// be "...\\Disk 1", another folder that exists.
TEST_F(CreateFaults, ASetupFolderPathTooLongIsRefusedByName) {
    TempDir out;
    const size_t room = 254 - work.Path().size() - 1;
    work.MakeFolder(std::string(room - 1, 'd') + "1");
    const std::string longer = work.MakeFolder(std::string(room - 1, 'd') + "10");
    ASSERT_EQ(longer.size(), 255u);
    const ConsoleRun run = BuilderCreate("\"" + (out / "Setup.exe") + "\" \"" + longer + "\"");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "VNPMAKE: The setup folder " + longer + " has more than 254 characters.\n");
    EXPECT_TRUE(FolderContents(out.Path()).empty());
}

}  // namespace
