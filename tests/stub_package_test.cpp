// Packages made in the writer's layout around the real stubs of the program
// folder, run as child processes under the platform: what they extract,
// what they run, what they ask and what they refuse.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "component_calls.h"
#include "mvwrap.h"
#include "file_io.h"
#include "seen_platform.h"
#include "stub_packages.h"
#include "takeback.h"
#include "temp_dir.h"

namespace {

// One window the package shows and how the test answers it.
struct Answer {
    const char* caption;
    const char* expectedText;  // part of a message box's text, or null
    const char* typed;         // put into the password field, or null
    int button;
    std::function<void()> beforePressing = nullptr;
};

void AnswerAll(const std::vector<Answer>& answers) {
    for (const Answer& answer : answers) {
        HWND window = WaitForForeignDialog(answer.caption);
        if (!window) {
            ADD_FAILURE() << "no window \"" << answer.caption << "\" appeared";
            return;
        }
        if (answer.expectedText) {
            EXPECT_NE(BoxText(window).find(answer.expectedText), std::string::npos)
                << BoxText(window);
        }
        if (answer.typed) SetDlgItemTextA(window, 101, answer.typed);
        if (answer.beforePressing) answer.beforePressing();
        PostMessageA(window, WM_COMMAND, answer.button, 0);
        for (int i = 0; i < 200 && IsWindow(window); ++i) Sleep(50);
    }
}

struct FileFacts {
    std::string bytes;
    FILETIME written;
    DWORD attributes;
};

void Collect(const std::string& folder, const std::string& prefix,
             std::map<std::string, FileFacts>& files) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            Collect(folder + "\\" + name, prefix + name + "\\", files);
        } else {
            files[prefix + name] = {
                ReadWholeFile(folder + "\\" + name), found.ftLastWriteTime,
                found.dwFileAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN)};
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

std::map<std::string, FileFacts> FilesBelow(const std::string& folder) {
    std::map<std::string, FileFacts> files;
    Collect(folder, "", files);
    return files;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

class StubPackage : public testing::Test {
protected:
    static void SetUpTestSuite() { RunMorvane(); }
    static void TearDownTestSuite() { StopMorvane(); }

    void SetUp() override {
        SetEnvironmentVariableA("VNP_PROBE_LOG", ProbeLogPath().c_str());
        SetEnvironmentVariableA("VNP_PROBE_EXIT", "42");
        SetEnvironmentVariableA("VNP_PROBE_HANDOVER", nullptr);
        SetEnvironmentVariableA("VNP_PROBE_DELAY", nullptr);
    }

    std::string ProbeLogPath() const { return temp_ / "probe.log"; }
    std::string ProbeLog() const { return ReadWholeFile(ProbeLogPath()); }
    bool ProbeRan() const { return Exists(ProbeLogPath()); }

    // A setup folder: the start program, text, a nested folder with
    // incompressible data and an empty file, a read-only file with an old
    // time and a hidden one.
    std::string MakeSetup(size_t noiseBytes) {
        std::string folder = temp_.MakeFolder("setup");
        temp_.MakeFile("setup\\SETUP.EXE", ProbeProgram());
        temp_.MakeFile("setup\\readme.txt", "Read me first.\r\n");
        temp_.MakeFile("setup\\disk2\\data.bin", Noise(noiseBytes));
        temp_.MakeFile("setup\\disk2\\deeper\\empty.txt", "");
        temp_.MakeFile("setup\\hidden.dat", "hidden", FILE_ATTRIBUTE_HIDDEN);
        temp_.MakeFile("setup\\caf\xe9 cr\xe8me.txt", "stored with a UTF-8 name");
        std::string old = temp_.MakeFile("setup\\old.txt", "from 2001");
        SYSTEMTIME when = {2001, 2, 0, 3, 4, 5, 6, 0};
        FILETIME time;
        SystemTimeToFileTime(&when, &time);
        HANDLE file =
            CreateFileA(old.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        SetFileTime(file, &time, &time, &time);
        CloseHandle(file);
        SetFileAttributesA(old.c_str(), FILE_ATTRIBUTE_READONLY);
        return folder;
    }

    // The setup folder zipped by the real zip component.
    std::string ZipSetup(const std::string& folder, int32_t level, std::string& lastEntry) {
        std::string archive = temp_ / "setup.zip";
        EXPECT_EQ(Zip(archive, folder + "\\*.*", level), 0);
        lastEntry = Listing(archive).back();
        std::string bytes = ReadWholeFile(archive);
        DeleteFileA(archive.c_str());
        return bytes;
    }

    std::string WritePackage(const std::string& archive, const std::string& record) {
        std::string package = temp_ / "PACKAGE.EXE";
        WriteBytes(package, TestPackage(OuterStub(), InnerStub(), archive, record));
        return package;
    }

    // The usual package: the setup above, SETUP.EXE to start, a password.
    std::string UsualPackage(const std::string& password, size_t noise = 100000) {
        std::string lastEntry;
        std::string archive = ZipSetup(MakeSetup(noise), -1, lastEntry);
        return WritePackage(archive, TestRecord(lastEntry, password, "SETUP.EXE"));
    }

    TempDir temp_;
};

TEST_F(StubPackage, RunsItsStartProgramInTheExtractedFolderAndReturnsItsCode) {
    std::string package = UsualPackage("");
    for (const char* code : {"42", "0", "3"}) {
        SetEnvironmentVariableA("VNP_PROBE_EXIT", code);
        DeleteFileA(ProbeLogPath().c_str());
        EXPECT_EQ(RunChild(Quoted(package)), atoi(code));
        std::string log = ProbeLog();
        size_t folderAt = log.find("folder=") + 7;
        std::string folder = log.substr(folderAt, log.find('\n', folderAt) - folderAt);
        EXPECT_NE(folder.find("\\FILES"), std::string::npos) << log;
        for (const char* file :
             {"file=SETUP.EXE ", "file=readme.txt 16", "file=disk2\\data.bin 100000",
              "file=disk2\\deeper\\empty.txt 0", "file=old.txt 9", "file=hidden.dat 6"})
            EXPECT_NE(log.find(file), std::string::npos) << file << " in\n" << log;
        EXPECT_FALSE(Exists(folder)) << "left behind: " << folder;
        EXPECT_FALSE(Exists(folder.substr(0, folder.rfind('\\')))) << "left behind: " << folder;
    }
}

// Only job objects (Windows 2000 and later) hold the programs a start
// program starts; without them the package ends once the start program has.
TEST_F(StubPackage, KeepsTheFilesUntilAProgramTheStartProgramHandedOverToHasEnded) {
    RestartLists lists;  // the handed-over program may still be running
    OwnTemporaryFolder temporary(temp_.MakeFolder("temporary"));
    std::string package = UsualPackage("");
    std::string secondLog = temp_ / "second.log";
    SetEnvironmentVariableA("VNP_PROBE_HANDOVER", secondLog.c_str());
    EXPECT_EQ(RunChild(Quoted(package)), 42);
    std::string log = ReadWholeFile(secondLog);
    EXPECT_EQ(log.find("file=disk2\\data.bin 100000") != std::string::npos,
              HasJobObjects() || OnWindows95Line())
        << log;
    // Waited for, the handed-over program no longer holds the files nor the
    // folder (its current folder) when they are removed: nothing is left.
    if (HasJobObjects() || OnWindows95Line()) {
        EXPECT_TRUE(FolderContents(temp_ / "temporary").empty());
    }
}

// What an earlier package had to leave on the Windows 95 line (its files
// removed at the restart, the folders not) goes at the next package's run:
// a private folder that holds no file and has not changed for a while.
TEST_F(StubPackage, RemovesTheFoldersAnEarlierPackageLeft) {
    std::string temporary = temp_.MakeFolder("temporary");
    OwnTemporaryFolder redirected(temporary);
    temp_.MakeFolder("temporary\\VNP0ABCD.TMP\\FILES\\sub");
    temp_.MakeFile("temporary\\VNP0ABCE.TMP\\FILES\\held.txt", "still there");
    temp_.MakeFolder("temporary\\VNP0ABCF.TMP\\FILES");
    temp_.MakeFolder("temporary\\other");
    for (const char* left : {"VNP0ABCD.TMP", "VNP0ABCE.TMP", "other"}) {
        HANDLE folder = CreateFileA((temporary + "\\" + left).c_str(), FILE_WRITE_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        FILETIME lastYear;
        GetSystemTimeAsFileTime(&lastYear);
        lastYear.dwHighDateTime -= 74;  // about a year: 2^32 * 74 * 100 ns
        EXPECT_TRUE(SetFileTime(folder, nullptr, nullptr, &lastYear));
        CloseHandle(folder);
    }
    EXPECT_EQ(RunChild(Quoted(UsualPackage(""))), 42);
    std::vector<std::string> expected = {"VNP0ABCE.TMP", "VNP0ABCF.TMP", "other"};
    if (!OnWindows95Line()) expected.insert(expected.begin(), "VNP0ABCD.TMP");
    std::vector<std::string> left = FolderContents(temporary);
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, expected);
}

// The extracted file of this name below the temporary folder, or "".
std::string FindExtracted(const std::string& temporary, const std::string& name) {
    for (const std::string& folder : FolderContents(temporary)) {
        std::string path = temporary + "\\" + folder + "\\FILES\\" + name;
        if (Exists(path)) return path;
    }
    return "";
}

// A file still open when the package removes its files is noted where the
// platform the process sees keeps that list: WININIT.INI on the Windows 95
// line (by its short name), the pending moves on the NT line.
TEST_F(StubPackage, LeavesAFileInUseForRemovalAtTheNextRestart) {
    RestartLists lists;
    std::string temporary = temp_.MakeFolder("temporary");
    OwnTemporaryFolder redirected(temporary);
    const std::string kHeld = "a long name.txt";
    std::string package = WritePackage(StoredZip({{"SETUP.EXE", ProbeProgram()}, {kHeld, "x"}}),
                                       TestRecord(kHeld, "", "SETUP.EXE"));
    SetEnvironmentVariableA("VNP_PROBE_DELAY", "1500");  // the test's time to open the file
    FileHandle held;
    std::string path;
    EXPECT_EQ(RunChild(Quoted(package),
                       [&] {
                           for (int i = 0; i < 500 && !held.valid(); ++i, Sleep(10)) {
                               path = FindExtracted(temporary, kHeld);
                               held.reset(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr,
                                                      OPEN_EXISTING, 0, nullptr));
                           }
                       }),
              42);
    ASSERT_TRUE(held.valid());
    char shortPath[MAX_PATH] = {};
    GetShortPathNameA(path.c_str(), shortPath, sizeof shortPath);
    EXPECT_EQ(lists.Wininit().find(std::string("NUL=") + shortPath + "\r\n") != std::string::npos,
              OnWindows95Line())
        << lists.Wininit();
    EXPECT_EQ(lists.PendingMoves().find(path) != std::string::npos, !OnWindows95Line());
}

TEST_F(StubPackage, ExtractsEveryFileByteForByteWithItsTimesAndAttributes) {
    std::string package = UsualPackage("");
    std::string target = temp_ / "out folder";
    EXPECT_EQ(RunChild(Quoted(package) + " /Q \"/X:" + target + "\""), 0);
    EXPECT_FALSE(ProbeRan());
    std::map<std::string, FileFacts> expected = FilesBelow(temp_ / "setup"),
                                     got = FilesBelow(target);
    ASSERT_EQ(got.size(), expected.size());
    for (const auto& file : expected) {
        const FileFacts& copy = got[file.first];
        EXPECT_TRUE(copy.bytes == file.second.bytes) << file.first;
        EXPECT_EQ(CompareFileTime(&copy.written, &file.second.written), 0) << file.first;
        EXPECT_EQ(copy.attributes, file.second.attributes) << file.first;
    }
}

// The record is where the layout puts it: marker texts inside the archive,
// even a whole fake record after them, change nothing.
TEST_F(StubPackage, MarkersInsideTheArchiveDoNotMislead) {
    std::string decoy = std::string("MORVASX998MELKOP1998") + TestRecord("x", "", "decoy.txt");
    std::string archive = StoredZip({{"SETUP.EXE", ProbeProgram()}, {"decoy.txt", decoy}});
    EXPECT_EQ(RunChild(Quoted(WritePackage(archive, TestRecord("decoy.txt", "", "SETUP.EXE")))),
              42);
    EXPECT_TRUE(ProbeRan());
}

// Entries with DOS times only (as most zip programs write them) get that
// local time.
TEST_F(StubPackage, DosTimesAreLocalTimes) {
    std::string archive = StoredZip({{"a.txt", "a"}});  // 2002-02-03 12:00:00
    std::string target = temp_ / "out";
    EXPECT_EQ(RunChild(Quoted(WritePackage(archive, TestRecord("a.txt", "", ""))) +
                       " /Q \"/X:" + target + "\""),
              0);
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExA((target + "\\a.txt").c_str(), GetFileExInfoStandard, &data));
    FILETIME local;
    SYSTEMTIME when;
    FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
    FileTimeToSystemTime(&local, &when);
    EXPECT_EQ(std::vector<int>({when.wYear, when.wMonth, when.wDay, when.wHour, when.wMinute}),
              std::vector<int>({2002, 2, 3, 12, 0}));
}

struct PasswordCase {
    const char* name;
    const char* switches;
    std::vector<Answer> answers;
    int exitCode;
    bool runs;
};

void PrintTo(const PasswordCase& c, std::ostream* out) { *out << c.name; }

class StubPassword : public StubPackage, public testing::WithParamInterface<PasswordCase> {};

TEST_P(StubPassword, AsksAndChecksThePassword) {
    const PasswordCase& c = GetParam();
    std::string package = UsualPackage("Secret7");
    EXPECT_EQ(RunChild(Quoted(package) + c.switches, [&] { AnswerAll(c.answers); }), c.exitCode);
    EXPECT_EQ(ProbeRan(), c.runs);
}

const Answer kTypeRight = {"Vornaly Password", nullptr, "Secret7", IDOK};

INSTANTIATE_TEST_SUITE_P(
    Packages, StubPassword,
    testing::Values(
        PasswordCase{"Right", "", {kTypeRight}, 42, true},
        PasswordCase{"WrongThenRight",
                     "",
                     {{"Vornaly Password", nullptr, "secret7", IDOK},
                      {"Vornaly", "password is not right", nullptr, IDOK},
                      kTypeRight},
                     42,
                     true},
        PasswordCase{
            "Cancelled", "", {{"Vornaly Password", nullptr, "Secret7", IDCANCEL}}, 1223, false},
        PasswordCase{"QuietWithIt", " /Q /P:Secret7", {}, 42, true},
        PasswordCase{"QuietWithAWrongOne",
                     " /q /p:Secret",
                     {{"Vornaly", "is not right", nullptr, IDOK}},
                     1,
                     false},
        PasswordCase{"QuietWithoutIt", " /Q", {{"Vornaly", "/P:", nullptr, IDOK}}, 1, false}),
    [](const testing::TestParamInfo<PasswordCase>& info) { return info.param.name; });

struct SpanCase {
    const char* name;
    const char* password;
    const char* switches;
    int missingPiece;  // moved away before the run
    int damagedPiece;  // one byte of its data changed
    int shortPiece;    // its last byte cut off
    std::vector<Answer> answers;
    int exitCode;
    bool runs;
};

void PrintTo(const SpanCase& c, std::ostream* out) { *out << c.name; }

class StubPieces : public StubPackage, public testing::WithParamInterface<SpanCase> {
protected:
    std::string PiecePath(int number) const {
        char name[32];
        snprintf(name, sizeof name, "disk\\PKG_%03d.exe", number);
        return temp_ / name;
    }
};

// Three pieces: a stored (not compressed) archive of 3 MB, so that a
// changed byte is a changed file byte, found by its CRC only.
TEST_P(StubPieces, ReadsThePiecesInOrder) {
    const SpanCase& c = GetParam();
    std::string lastEntry;
    std::string archive = ZipSetup(MakeSetup(3000000), 0, lastEntry);
    std::string outer = OuterStub();
    std::string package =
        TestPackage(outer, InnerStub(), archive, TestRecord(lastEntry, c.password, "SETUP.EXE"));
    std::vector<std::string> pieces = TestPieces(package, 2 * outer.size() + 424);
    ASSERT_EQ(pieces.size(), 3u);
    temp_.MakeFolder("disk");
    for (size_t i = 0; i < pieces.size(); ++i) {
        std::string bytes = pieces[i];
        if (c.damagedPiece == int(i + 1)) bytes[700000] ^= 0x55;
        if (c.shortPiece == int(i + 1)) bytes.pop_back();
        WriteBytes(PiecePath(int(i + 1)), bytes);
    }
    std::string away = temp_ / "away.exe";
    if (c.missingPiece) {
        ASSERT_TRUE(MoveFileA(PiecePath(c.missingPiece).c_str(), away.c_str()));
    }
    std::vector<Answer> answers = c.answers;
    for (Answer& answer : answers)
        if (answer.beforePressing)  // the test's cue to put the piece back
            answer.beforePressing = [&] {
                MoveFileA(away.c_str(), PiecePath(c.missingPiece).c_str());
            };
    EXPECT_EQ(RunChild(Quoted(PiecePath(1)) + c.switches, [&] { AnswerAll(answers); }), c.exitCode);
    EXPECT_EQ(ProbeRan(), c.runs);
}

void PutBack() {}

INSTANTIATE_TEST_SUITE_P(
    Packages, StubPieces,
    testing::Values(
        SpanCase{"AllThere", "", "", 0, 0, 0, {}, 42, true},
        SpanCase{"MissingThenPutBack",
                 "",
                 "",
                 2,
                 0,
                 0,
                 {{"Vornaly", "Insert the diskette with PKG_002.exe", nullptr, IDRETRY, PutBack}},
                 42,
                 true},
        SpanCase{"MissingCancelled",
                 "",
                 "",
                 3,
                 0,
                 0,
                 {{"Vornaly", "Insert the diskette with PKG_003.exe", nullptr, IDCANCEL}},
                 1223,
                 false},
        SpanCase{"MissingQuiet",
                 "",
                 " /Q",
                 2,
                 0,
                 0,
                 {{"Vornaly", "PKG_002.exe is missing", nullptr, IDOK}},
                 1,
                 false},
        SpanCase{"ShortPieceRefused",
                 "",
                 "",
                 0,
                 0,
                 2,
                 {{"Vornaly", "is not the right piece", nullptr, IDCANCEL}},
                 1223,
                 false},
        SpanCase{"DamagedPieceRunsNothing",
                 "",
                 "",
                 0,
                 2,
                 0,
                 {{"Vornaly", "does not hold the bytes that were packed", nullptr, IDOK}},
                 1,
                 false},
        // The piece count stands over the password's 11th to 13th characters.
        SpanCase{"PasswordUnderTheCount",
                 "LongPassword1234",
                 " /Q /P:LongPassword1234",
                 0,
                 0,
                 0,
                 {},
                 42,
                 true}),
    [](const testing::TestParamInfo<SpanCase>& info) { return info.param.name; });

// A package cut into one piece is whole, but the count "001" hides the
// password's 11th to 13th characters all the same.
TEST_F(StubPackage, SinglePieceKeepsItsPassword) {
    std::string lastEntry;
    std::string archive = ZipSetup(MakeSetup(1000), -1, lastEntry);
    std::string outer = OuterStub();
    std::vector<std::string> pieces =
        TestPieces(TestPackage(outer, InnerStub(), archive,
                               TestRecord(lastEntry, "LongPassword1234", "SETUP.EXE")),
                   2 * outer.size() + 424);
    ASSERT_EQ(pieces.size(), 1u);
    std::string piece = temp_ / "PKG_001.exe";
    WriteBytes(piece, pieces[0]);
    EXPECT_EQ(RunChild(Quoted(piece) + " /Q /P:LongPassword1234"), 42);
}

struct CraftedCase {
    const char* name;
    const char* entryName;
};

void PrintTo(const CraftedCase& c, std::ostream* out) { *out << c.name; }

class StubCraftedNames : public StubPackage, public testing::WithParamInterface<CraftedCase> {};

TEST_P(StubCraftedNames, InstallNothingAndSaySo) {
    std::string archive = StoredZip(
        {{"SETUP.EXE", ProbeProgram()}, {"good.txt", "good"}, {GetParam().entryName, "evil"}});
    std::string package = WritePackage(archive, TestRecord("good.txt", "", "SETUP.EXE"));
    std::string target = temp_ / "out\\in";
    EXPECT_EQ(RunChild(Quoted(package) + " /Q \"/X:" + target + "\"",
                       [] {
                           AnswerAll({{"Vornaly", "outside its folder", nullptr, IDOK}});
                       }),
              1);
    EXPECT_FALSE(ProbeRan());
    EXPECT_TRUE(FilesBelow(temp_ / "out").empty());
    EXPECT_FALSE(Exists(temp_ / "evil.txt"));
    EXPECT_FALSE(Exists(temp_ / "out\\evil.txt"));
}

INSTANTIATE_TEST_SUITE_P(Packages, StubCraftedNames,
                         testing::Values(CraftedCase{"UpOneBackslash", "..\\evil.txt"},
                                         CraftedCase{"UpOneSlash", "../evil.txt"},
                                         CraftedCase{"UpTwoBelowAFolder", "in2/../../evil.txt"},
                                         CraftedCase{"DriveLetter", "C:\\evil.txt"}),
                         [](const testing::TestParamInfo<CraftedCase>& info) {
                             return info.param.name;
                         });

struct SwitchCase {
    const char* name;
    const char* switches;
    const char* shown;
    int exitCode;
};

void PrintTo(const SwitchCase& c, std::ostream* out) { *out << c.name; }

class StubSwitches : public StubPackage, public testing::WithParamInterface<SwitchCase> {};

TEST_P(StubSwitches, AreUnderstoodOrRefused) {
    const SwitchCase& c = GetParam();
    std::string package = UsualPackage("");
    EXPECT_EQ(RunChild(Quoted(package) + c.switches,
                       [&] {
                           AnswerAll({{"Vornaly", c.shown, nullptr, IDOK}});
                       }),
              c.exitCode);
    EXPECT_FALSE(ProbeRan());
}

INSTANTIATE_TEST_SUITE_P(
    Packages, StubSwitches,
    testing::Values(SwitchCase{"Help", " /?", "/X:folder", 0},
                    SwitchCase{"Unknown", " /Z", "The switch /Z is not known", 1}),
    [](const testing::TestParamInfo<SwitchCase>& info) { return info.param.name; });

struct DamageCase {
    const char* name;
    std::function<void(std::string& package, size_t stubLength)> damage;
    const char* shown;
};

void PrintTo(const DamageCase& c, std::ostream* out) { *out << c.name; }

class StubDamage : public StubPackage, public testing::WithParamInterface<DamageCase> {};

TEST_P(StubDamage, IsReportedAndNothingRuns) {
    std::string lastEntry;
    std::string archive = ZipSetup(MakeSetup(1000), -1, lastEntry);
    std::string outer = OuterStub();
    std::string bytes =
        TestPackage(outer, InnerStub(), archive, TestRecord(lastEntry, "", "SETUP.EXE"));
    GetParam().damage(bytes, outer.size());
    std::string package = temp_ / "PACKAGE.EXE";
    WriteBytes(package, bytes);
    EXPECT_EQ(RunChild(Quoted(package),
                       [&] {
                           AnswerAll({{"Vornaly", GetParam().shown, nullptr, IDOK}});
                       }),
              1);
    EXPECT_FALSE(ProbeRan());
}

INSTANTIATE_TEST_SUITE_P(
    Packages, StubDamage,
    testing::Values(
        DamageCase{"SecondStubChanged", [](std::string& p, size_t s) { p[s + 404 + 1000] ^= 1; },
                   "is damaged"},
        DamageCase{"RecordMarkerChanged", [](std::string& p, size_t s) { p[2 * s + 414] = 'X'; },
                   "is damaged"},
        DamageCase{"PaddingNotZero", [](std::string& p, size_t s) { p[s + 10] = 1; }, "is damaged"},
        DamageCase{"ArchiveCut", [](std::string& p, size_t) { p.resize(p.size() - 30); },
                   "files cannot be read"},
        DamageCase{"ArchiveNotMasked",
                   [](std::string& p, size_t s) { p[2 * s + 524 + 97792] = 'P'; },
                   "files cannot be read"},
        DamageCase{"InnerExecutableCut",
                   [](std::string& p, size_t s) { p.resize(2 * s + 524 + 1000); }, "is damaged"}),
    [](const testing::TestParamInfo<DamageCase>& info) { return info.param.name; });

TEST_F(StubPackage, WithoutAStartProgramSaysWhereTheFilesAre) {
    std::string lastEntry;
    std::string archive = ZipSetup(MakeSetup(1000), -1, lastEntry);
    std::string package = WritePackage(archive, TestRecord(lastEntry, "", ""));
    std::string shown;
    EXPECT_EQ(RunChild(Quoted(package),
                       [&] {
                           HWND box = WaitForForeignDialog("Vornaly");
                           ASSERT_NE(box, nullptr);
                           shown = BoxText(box);
                           PostMessageA(box, WM_COMMAND, IDOK, 0);
                       }),
              0);
    const std::string lead = "The files were extracted to ";
    ASSERT_EQ(shown.find(lead), 0u) << shown;
    std::string folder = shown.substr(lead.size(), shown.size() - lead.size() - 1);
    EXPECT_EQ(FilesBelow(folder).size(), FilesBelow(temp_ / "setup").size());
    EXPECT_FALSE(ProbeRan());
    stub::RemoveTree(folder.substr(0, folder.rfind('\\')).c_str());
    EXPECT_FALSE(Exists(folder));
}

// A record that names a start program no code page finds among the files:
// nothing runs and nothing stays, and the run fails; extracting only is
// still possible.
TEST_F(StubPackage, ANamedStartProgramThatIsNotThereFails) {
    std::string archive = StoredZip({{"a.txt", "a"}, {"SETUP.EXE", ProbeProgram()}});
    std::string package = WritePackage(archive, TestRecord("a.txt", "", "INSTALL.EXE"));
    const std::string log = temp_ / "package.log";
    EXPECT_EQ(RunChild(Quoted(package) + " /Q:A \"/L:" + log + "\""), 1);
    EXPECT_NE(ReadWholeFile(log).find("The installation program that this package names is not "
                                      "among its files"),
              std::string::npos)
        << ReadWholeFile(log);
    EXPECT_FALSE(ProbeRan());
    std::string target = temp_ / "out";
    EXPECT_EQ(RunChild(Quoted(package) + " /Q \"/X:" + target + "\""), 0);
    EXPECT_EQ(ReadWholeFile(target + "\\a.txt"), "a");
}

// Removing the extracted files once the start program has ended. A file
// deleted while a program that just ended still holds it (its program file)
// stays until it is let go, and its folder with it: on NT 4.0, which cannot
// wait for that in a job, the folders are tried until then, and nothing is
// left for the restart. Files a program may still use all stay, each noted
// for the restart.
TEST(StubRemoveTree, WaitsForAFileLetGoAndLeavesFilesInUseForTheRestart) {
    RestartLists lists;
    const std::string pendingBefore = lists.PendingMoves(), wininitBefore = lists.Wininit();
    TempDir temp;
    std::string held = temp.MakeFile("FILES\\sub\\SETUP.EXE", "the program");
    temp.MakeFile("FILES\\a.txt", "a");
    HANDLE program = CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(program, INVALID_HANDLE_VALUE);
    std::thread letGo([program] {
        Sleep(500);
        CloseHandle(program);
    });
    stub::RemoveTree((temp / "FILES").c_str());
    letGo.join();
    EXPECT_FALSE(Exists(temp / "FILES"));
    EXPECT_EQ(lists.PendingMoves(), pendingBefore);
    EXPECT_EQ(lists.Wininit(), wininitBefore);

    std::string inUse = temp.MakeFile("FILES\\sub\\SETUP.EXE", "the program");
    char shortPath[MAX_PATH] = {};
    GetShortPathNameA(inUse.c_str(), shortPath, sizeof shortPath);
    stub::RemoveTree((temp / "FILES").c_str(), true);
    EXPECT_EQ(ReadWholeFile(inUse), "the program");
    if (OnWindows95Line()) {
        EXPECT_NE(lists.Wininit().find(std::string("NUL=") + shortPath), std::string::npos);
    } else {
        for (const std::string& path : {inUse, temp / "FILES\\sub", temp / "FILES"})
            EXPECT_NE(lists.PendingMoves().find(path), std::string::npos) << path;
    }
}

// The takeback on its own, with the platform's own file calls: files of the
// same name written twice, files there before (read-only too), a folder
// where a file should go. After Keep() the folder holds what was written
// last; after TakeBack() what was there before, with its attributes.
TEST(StubTakebackSteps, KeepOrTakeBackEveryChange) {
    const struct {
        const char* name;
        std::map<std::string, std::string> before;  // "" for a folder
        std::vector<std::pair<std::string, std::string>> written;
        std::vector<bool> placed;
    } cases[] = {
        {"NewFilesAndFolders",
         {},
         {{"a.txt", "new a"}, {"sub\\deep\\b.txt", "new b"}},
         {true, true}},
        {"ReplacedFiles",
         {{"a.txt", "old a"}, {"sub\\b.txt", "old b"}, {"sub\\c.txt", "other"}},
         {{"a.txt", "new a"}, {"sub\\b.txt", "new b"}},
         {true, true}},
        {"SameNameTwice",
         {{"a.txt", "old a"}},
         {{"a.txt", "first"}, {"A.TXT", "second"}},
         {true, true}},
        {"FolderInTheWay", {{"a.txt", ""}}, {{"b.txt", "b"}, {"a.txt", "a file"}}, {true, false}},
        {"ReplacedUnderAnotherCase",
         {{"README.TXT", "old"}, {"sub\\Setup.Ini", "old ini"}},
         {{"readme.txt", "new"}, {"sub\\SETUP.INI", "new ini"}},
         {true, true}},
    };
    for (const auto& c : cases) {
        for (bool keep : {true, false}) {
            TempDir temp;
            std::string root = temp / "target";
            for (const auto& file : c.before) {
                if (file.second.empty())
                    temp.MakeFolder("target\\" + file.first);
                else
                    temp.MakeFile("target\\" + file.first, file.second, FILE_ATTRIBUTE_READONLY);
            }
            std::map<std::string, std::string> expected;  // by upper-case name
            auto upper = [](std::string name) {
                for (char& ch : name) ch = char(toupper(static_cast<unsigned char>(ch)));
                return name;
            };
            for (const auto& file : c.before) expected[upper(file.first)] = file.second;
            {
                stub::Takeback takeback;
                ASSERT_TRUE(takeback.MakeFolders(root.c_str())) << c.name;
                for (size_t i = 0; i < c.written.size(); ++i) {
                    std::string path = root + "\\" + c.written[i].first;
                    ASSERT_TRUE(takeback.MakeFolders(path.substr(0, path.rfind('\\')).c_str()));
                    char temporary[MAX_PATH];
                    FileHandle file = takeback.NewFile(path.c_str(), temporary);
                    ASSERT_TRUE(file.valid()) << c.name;
                    DWORD written = 0;
                    WriteFile(file.get(), c.written[i].second.data(),
                              DWORD(c.written[i].second.size()), &written, nullptr);
                    file.reset();
                    EXPECT_EQ(takeback.Place(temporary, path.c_str()), c.placed[i]) << c.name;
                    EXPECT_EQ(GetFileAttributesA(temporary), INVALID_FILE_ATTRIBUTES) << c.name;
                    if (keep && c.placed[i])
                        expected[upper(c.written[i].first)] = c.written[i].second;
                }
                if (keep)
                    takeback.Keep();
                else
                    takeback.TakeBack();
            }
            // Taken back, each file has its own name again, letter case too.
            if (!keep) {
                expected.clear();
                for (const auto& file : c.before) expected[file.first] = file.second;
            }
            std::map<std::string, std::string> got;
            std::vector<std::string> folders = {""};
            for (size_t f = 0; f < folders.size(); ++f) {
                for (const std::string& name : FolderContents(root + "\\" + folders[f])) {
                    std::string relative = folders[f] + name;
                    std::string path = root + "\\" + relative;
                    DWORD attributes = GetFileAttributesA(path.c_str());
                    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
                        folders.push_back(relative + "\\");
                        continue;
                    }
                    got[keep ? upper(relative) : relative] = ReadWholeFile(path);
                    // What was there before comes back read-only, as it was.
                    if (!keep) {
                        EXPECT_TRUE(attributes & FILE_ATTRIBUTE_READONLY) << c.name << relative;
                    }
                }
            }
            for (auto it = expected.begin(); it != expected.end();)
                it = it->second.empty() ? expected.erase(it) : std::next(it);
            EXPECT_EQ(got, expected) << c.name << (keep ? " kept" : " taken back");
            bool rootThere = GetFileAttributesA(root.c_str()) != INVALID_FILE_ATTRIBUTES;
            EXPECT_EQ(rootThere, keep || !c.before.empty()) << c.name;
        }
    }
}

}  // namespace
