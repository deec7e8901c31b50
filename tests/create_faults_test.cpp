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
#include "raw_entries.h"
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

// Every file and folder below a folder, by its name as stored (letter case
// and all), with its bytes, attributes and times.
struct Entry {
    std::string bytes;
    DWORD attributes;
    uint64_t created, written;
    bool operator==(const Entry& other) const {
        return bytes == other.bytes && attributes == other.attributes &&
               created == other.created && written == other.written;
    }
};
using Snapshot = std::map<std::string, Entry>;

uint64_t Ticks(const FILETIME& time) {
    return uint64_t(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

void SnapInto(Snapshot& snapshot, const std::string& folder, const std::string& prefix) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const bool isFolder = found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
        // A folder's times change with what it holds (under Wine its
        // creation time too): it counts by its name and attributes.
        snapshot[prefix + name] = {isFolder ? "" : ReadWholeFile(folder + "\\" + name),
                                   found.dwFileAttributes,
                                   isFolder ? 0 : Ticks(found.ftCreationTime),
                                   isFolder ? 0 : Ticks(found.ftLastWriteTime)};
        if (isFolder) SnapInto(snapshot, folder + "\\" + name, prefix + name + "\\");
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

Snapshot Snap(const std::string& folder) {
    Snapshot snapshot;
    SnapInto(snapshot, folder, "");
    return snapshot;
}

void Put(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD done = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
    CloseHandle(file);
}

void PrintTo(const Entry& entry, std::ostream* out) {
    *out << entry.bytes.size() << " bytes, attributes " << entry.attributes << ", times "
         << entry.created << " " << entry.written;
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

// Layouts people use, each through the window and the builder, and each
// once as it is and once with a stub locked, a step that fails after the
// zip job. The rule: a Create changes nothing but its own package and
// pieces; every other file and folder, in the setup folders and beside the
// package, keeps its bytes, name, letter case, times and attributes. Built
// twice, a package is the same bytes: it packs none of its own files,
// earlier packages included. "=package" stands for an earlier package.
struct LayoutCase {
    const char* name;
    std::vector<std::pair<const char*, const char*>> files;  // under the test folder
    std::vector<const wchar_t*> raw;  // files named as Windows cannot name them
    const char* host;                 // a folder the test run made on the host, or null
    const char* output;
    bool span;
    const char* said;  // part of the refusal; empty: built
};

// The package's own files under the test folder: the package, its pieces,
// and the folders made for it.
bool Ours(const std::string& name, const std::string& output, bool span) {
    const std::string stem = output.substr(0, output.size() - 4) + "_";
    const bool piece = span && name.size() == stem.size() + 7 &&
                       _strnicmp(name.c_str(), stem.c_str(), stem.size()) == 0 &&
                       _stricmp(name.c_str() + name.size() - 4, ".exe") == 0;
    return piece || _stricmp(name.c_str(), output.c_str()) == 0 ||
           _strnicmp(output.c_str(), (name + "\\").c_str(), name.size() + 1) == 0;
}

TEST_F(CreateFaults, LayoutsPeopleUseLoseNoFile) {
    TempDir scratch;
    scratch.MakeFile("D\\SETUP.EXE", "MZ earlier");
    ASSERT_EQ(BuilderCreate("\"" + (scratch / "Earlier.exe") + "\" \"" + (scratch / "D") + "\"")
                  .exitCode,
              0);
    const std::string earlier = ReadWholeFile(scratch / "Earlier.exe");
    const std::pair<const char*, const char*> setup = {"DISK1\\SETUP.INF", "[setup]"};
    const char* const refused = "is a file of the setup folder";
    const LayoutCase cases[] = {
        {"the package's folder inside a setup folder, with an earlier package there",
         {setup, {"DISK1\\out\\Pkg.exe", "=package"}}, {}, nullptr, "DISK1\\out\\Pkg.exe",
         false, ""},
        {"the package path on a setup file", {setup, {"DISK1\\Pkg.exe", "MZ"}}, {}, nullptr,
         "DISK1\\Pkg.exe", false, refused},
        {"a piece path on a setup file, with Span", {setup, {"DISK1\\Pkg_001.exe", "MZ"}},
         {}, nullptr, "DISK1\\Pkg.exe", true, refused},
        {"a setup file at a piece path, without Span", {setup, {"DISK1\\Pkg_001.exe", "MZ"}},
         {}, nullptr, "DISK1\\Pkg.exe", false, ""},
        {"a setup file at a working name", {setup, {"DISK1\\Pkg.zip", "PK"}}, {}, nullptr,
         "DISK1\\Pkg.exe", false, refused},
        {"someone else's files at every working name",
         {setup,
          {"out\\MyApp.zip", "a zip"},
          {"out\\MyApPlus.exe", "MZ plus"},
          {"out\\MyApp.old", "old"},
          {"out\\MyApp_001.exe", "=package"},
          {"out\\myapp_001.old", "old piece"}},
         {}, nullptr, "out\\MyApp.exe", true, ""},
        {"an earlier package that a killed Create left at NAME.old, and its archive",
         {setup, {"out\\Pkg.old", "=package"}, {"out\\Pkg.zip", "PK cut"}}, {}, nullptr,
         "out\\Pkg.exe", false, ""},
        {"a package in a folder that does not exist", {setup}, {}, nullptr,
         "new\\deeper\\Pkg.exe", false, ""},
        {"a start program named beyond the code page", {setup}, {L"DISK1\\\u65e5\u672c.exe"},
         nullptr, "out\\Pkg.exe", false, "cannot hold"},
        {"a setup file named like a device", {setup}, {L"DISK1\\nul.txt"}, nullptr,
         "out\\Pkg.exe", false, "keeps for a device"},
        {"two setup files whose names differ only in letter case", {}, {}, "create",
         "out\\Pkg.exe", false, "differ only in letter case"},
    };
    for (const LayoutCase& c : cases) {
        for (bool failing : {false, true}) {
            for (Via via : {Via::Window, Via::Builder}) {
                SCOPED_TRACE(std::string(c.name) + (failing ? ", a stub locked" : "") +
                             (via == Via::Window ? ", window" : ", builder"));
                TempDir made;
                const std::string root =
                    c.host ? WinePath(CASE_CLASH_UNIX_PATH) + "\\" + c.host : made.Path();
                for (const auto& file : c.files)
                    made.MakeFile(file.first,
                                  std::string(file.second) == "=package" ? earlier : file.second);
                RawEntries raw;
                for (const wchar_t* name : c.raw)
                    raw.Make(std::wstring(root.begin(), root.end()) + L"\\" + name);
                const std::string folder = root + "\\DISK1";
                const std::string output = root + "\\" + c.output;
                const std::string piece =
                    c.span ? output.substr(0, output.size() - 4) + "_001.exe" : output;
                const Snapshot before = Snap(root);
                const std::string stub =
                    (via == Via::Window ? ProgramFolder() : program.Path() + "\\") + "Vornaly.vnp";
                auto create = [&] {
                    HANDLE locked = failing ? CreateFileA(stub.c_str(), GENERIC_READ, 0, nullptr,
                                                          OPEN_EXISTING, 0, nullptr)
                                            : INVALID_HANDLE_VALUE;
                    std::string said;
                    if (via == Via::Window) {
                        SendMessageA(TheShell.setupList, LB_RESETCONTENT, 0, 0);
                        AddSetupFolders(TheShell.setupList, {folder});
                        SendMessageA(TheShell.spanCheckBox, BM_SETCHECK,
                                     c.span ? BST_CHECKED : BST_UNCHECKED, 0);
                        RecordingFront front(output);
                        UseCreateFront(front);
                        CreatePackage();
                        UseCreateFront(WindowFront());
                        said = front.said;
                    } else {
                        said = BuilderCreate(std::string(c.span ? "/SPAN " : "") + "\"" + output +
                                             "\" \"" + folder + "\"")
                                   .err;
                    }
                    if (locked != INVALID_HANDLE_VALUE) CloseHandle(locked);
                    return said;
                };
                const std::string said = create();
                const std::string expected = failing && !*c.said ? "Unable to copy" : c.said;
                if (expected.empty())
                    EXPECT_EQ(said, "");
                else
                    EXPECT_NE(said.find(expected), std::string::npos) << said;
                const bool built = expected.empty();
                if (built) {
                    const std::string package = ReadWholeFile(piece);
                    EXPECT_FALSE(package.empty());
                    EXPECT_EQ(create(), "");
                    EXPECT_TRUE(ReadWholeFile(piece) == package) << "built again, it differs";
                }
                auto others = [&](Snapshot snapshot) {
                    for (auto entry = snapshot.begin(); entry != snapshot.end();)
                        entry = built && Ours(entry->first, c.output, c.span)
                                    ? snapshot.erase(entry)
                                    : std::next(entry);
                    return snapshot;
                };
                EXPECT_EQ(others(Snap(root)), others(before));
            }
        }
    }
}

// Two package names in one folder that share the text before the first dot
// share their working files: while one Create runs, the other is refused at
// once, however it spells the folder, and the first one's package is whole.
TEST_F(CreateFaults, ASecondCreateOnTheSameWorkingFilesIsRefused) {
    // The test run's small disk is drive Y: and the share \\vornaly\small as well.
    const std::string out = WinePath(FULL_DISK_UNIX_PATH);
    for (const std::string& name : FolderContents(out)) DeleteFileA((out + "\\" + name).c_str());
    char shortName[MAX_PATH] = "";
    ASSERT_NE(GetShortPathNameA(out.c_str(), shortName, MAX_PATH), 0u);
    ASSERT_NE(std::string(shortName), out);
    for (const std::string& folder :
         {out, std::string(shortName), std::string("Y:"), std::string("\\\\vornaly\\small")}) {
        SCOPED_TRACE(folder);
        ConsoleRun second;
        const std::string said = WindowCreate({work / "DISK1"}, out + "\\MyApp.Pro.exe", false, [&] {
            second = BuilderCreate("\"" + folder + "\\MyApp.Home.exe\" DISK1");
        });
        EXPECT_EQ(said, "");
        EXPECT_EQ(second.exitCode, 1);
        EXPECT_NE(second.err.find("Vornaly: Unable to use " + folder +
                                  "\\MyApp.zip: another Create is using it"),
                  std::string::npos)
            << second.err;
        EXPECT_EQ(FolderContents(out), std::vector<std::string>{"MyApp.Pro.exe"});
    }

    // Once it has ended, the name is free again.
    EXPECT_EQ(BuilderCreate("\"Y:\\MyApp.Home.exe\" DISK1").exitCode, 0);
    EXPECT_TRUE(ReadWholeFile(out + "\\MyApp.Home.exe") ==
                ReadWholeFile(out + "\\MyApp.Pro.exe"));
    for (const std::string& name : FolderContents(out)) DeleteFileA((out + "\\" + name).c_str());
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
