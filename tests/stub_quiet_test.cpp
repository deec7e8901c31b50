// Packages run without any window (/Q:A): whatever else the command line
// holds, in whatever order, and whatever step fails, they end at once with a
// code that is not 0, no window of theirs (nor of the platform for them)
// appears, and the log says why where one is given. Also: the log cannot be
// given lines of its own by a name, and a command line longer than 1,024
// characters reaches the inner stub whole.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "file_io.h"
#include "platform.h"
#include "stub_packages.h"
#include "temp_dir.h"

namespace {

enum class Kind {
    kGood,           // SETUP.EXE (the probe) and two files, one with a long name
    kDamaged,        // a padding byte changed
    kCut,            // the archive's end cut off
    kUnsafe,         // an entry that leaves its folder
    kPassword,       // protected by "Secret7"
    kWrongCrc,       // a file's bytes changed after packing
    kMissingDll,     // the start program needs a DLL that is nowhere
    kMissingPiece,   // the first of two pieces, the second missing
    kInnerStubOnly,  // the inner stub started on its own
};

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// The probe, importing a run time DLL of a name no system has.
std::string ProbeWithMissingDll() {
    std::string probe = ProbeProgram();
    size_t at = probe.find("msvcrt.dll");
    if (at == std::string::npos) at = probe.find("MSVCRT.dll");
    EXPECT_NE(at, std::string::npos);
    if (at != std::string::npos) probe.replace(at, 10, "nosuch.dll");
    return probe;
}

const std::string kLongName = "sub/second file with a long name.txt";

// Writes the package of the kind into the folder; the path to start.
std::string WriteKind(Kind kind, const TempDir& temp) {
    std::string package = temp / "PACKAGE.EXE";
    std::string start = kind == Kind::kMissingDll ? ProbeWithMissingDll() : ProbeProgram();
    std::vector<std::pair<std::string, std::string>> entries = {
        {"SETUP.EXE", start}, {"sub/a.txt", "first file"}, {kLongName, "bytes of the second file"}};
    if (kind == Kind::kUnsafe) entries.push_back({"../evil.txt", "evil"});
    if (kind == Kind::kMissingPiece) entries.push_back({"big.bin", Noise(1600000)});
    std::string archive = StoredZip(entries);
    if (kind == Kind::kWrongCrc) archive[archive.find("bytes of the second file")] ^= 1;
    if (kind == Kind::kCut) archive.resize(archive.size() - 30);
    std::string outer = OuterStub();
    std::string bytes = TestPackage(
        outer, InnerStub(), archive,
        TestRecord(entries.back().first, kind == Kind::kPassword ? "Secret7" : "", "SETUP.EXE"));
    if (kind == Kind::kDamaged) bytes[outer.size() + 10] = 1;
    if (kind == Kind::kInnerStubOnly) {
        package = temp / "INNER.EXE";
        bytes = InnerStub();
    }
    if (kind == Kind::kMissingPiece) {
        package = temp / "PKG_001.exe";
        std::vector<std::string> pieces = TestPieces(bytes, 2 * outer.size() + 424);
        EXPECT_EQ(pieces.size(), 2u);
        bytes = pieces[0];
    }
    WriteBytes(package, bytes);
    return package;
}

struct QuietCase {
    std::string name;
    Kind kind;
    // LOG stands for the log's path, TEMP for the test's folder, LONG for a
    // folder there whose path is 235 characters long: the long entry name
    // does not fit below it.
    std::string switches;
    std::string logged;                // a part of the log, or "" when no log can be written
    int exitCode;                      // 0: any code but 0
    std::string temporaryFolder = "";  // the packages' TMP, when not the usual one
};

void PrintTo(const QuietCase& c, std::ostream* out) { *out << c.name; }

std::string Replaced(std::string text, const std::string& mark, const std::string& by) {
    for (size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + by.size()))
        text.replace(at, mark.size(), by);
    return text;
}

const std::string kLong(300, 'L');     // past any path's room once made full
const std::string kTooLong(600, 'a');  // past the room of any argument

std::vector<QuietCase> QuietCases() {
    std::vector<QuietCase> cases;
    // Every kind of bad switch, in front of /Q:A and behind it.
    const std::vector<std::pair<std::string, std::string>> bad = {{"Unknown", "/Z"},
                                                                  {"LogWithoutName", "/L:"},
                                                                  {"FolderWithoutName", "/X:"},
                                                                  {"LogWithoutColon", "/L"},
                                                                  {"FolderWithoutColon", "/X"},
                                                                  {"PasswordWithoutColon", "/P"},
                                                                  {"QuietOther", "/Q:B"},
                                                                  {"TestWithValue", "/T:x"},
                                                                  {"QuietLetters", "/Qx"},
                                                                  {"Word", "setup"},
                                                                  {"Dash", "-"},
                                                                  {"Slash", "/"},
                                                                  {"HelpLetters", "/?x"},
                                                                  {"QuietTwice", "/Q"},
                                                                  {"AllTwice", "/Q:A"},
                                                                  {"TooLong", "/X:" + kTooLong}};
    for (const auto& b : bad) {
        // The first fault is told: of a switch given twice, the second.
        for (bool inFront : {true, false}) {
            std::string told =
                "Error: The switch " +
                (b.first == "QuietTwice" && inFront ? std::string("/Q:A") : b.second) +
                " is not known.";
            if (b.first == "TooLong") told = "Error: The argument /X:aaa";
            cases.push_back({b.first + (inFront ? "InFront" : "Behind"), Kind::kGood,
                             (inFront ? b.second + " /Q:A" : "/Q:A " + b.second) + " \"/L:LOG\"",
                             told, 1});
        }
    }
    cases.push_back({"UnknownWithoutLog", Kind::kGood, "/Z /Q:A", "", 1});
    cases.push_back({"LogWithoutNameWithoutLog", Kind::kGood, "/L: /Q:A", "", 1});
    cases.push_back({"FolderWithoutNameWithoutLog", Kind::kGood, "/Q:A /X:", "", 1});
    // Paths too long for their room.
    cases.push_back({"FolderTooLong", Kind::kGood, "/Q:A \"/X:TEMP\\" + kLong + "\" \"/L:LOG\"",
                     "Error: The folder TEMP\\" + kLong + " is not a valid folder name", 1});
    cases.push_back({"LogTooLong", Kind::kGood, "/Q:A \"/L:TEMP\\" + kLong + "\"", "", 1});
    cases.push_back(
        {"EntriesTooLongBelowTheFolder", Kind::kGood, "/Q:A \"/X:LONG\" \"/L:LOG\"",
         "Error: The path of sub\\second file with a long name.txt in LONG is too long.", 1});
    cases.push_back({"TemporaryFolderTooLong", Kind::kGood, "/Q:A \"/L:LOG\"",
                     "Error: No temporary folder could be made", 1, "TEMP\\" + kLong});
    // A package that fails at every step.
    cases.push_back({"Damaged", Kind::kDamaged, "/Q:A \"/L:LOG\"", "is damaged.", 1});
    cases.push_back({"ArchiveCut", Kind::kCut, "/Q:A \"/L:LOG\"", "files cannot be read", 1});
    cases.push_back({"Unsafe", Kind::kUnsafe, "/Q:A \"/L:LOG\"", "outside its folder", 1});
    cases.push_back(
        {"NoPassword", Kind::kPassword, "/Q:A \"/L:LOG\"", "protected by a password", 1});
    cases.push_back({"WrongPassword", Kind::kPassword, "/P:secret7 /Q:A \"/L:LOG\"",
                     "password given with /P: is not right", 1});
    cases.push_back(
        {"WrongCrcInstalling", Kind::kWrongCrc, "/Q:A \"/L:LOG\"", "does not hold the bytes", 1});
    cases.push_back({"WrongCrcExtracting", Kind::kWrongCrc, "/Q:A \"/X:TEMP\\out\" \"/L:LOG\"",
                     "does not hold the bytes", 1});
    cases.push_back(
        {"WrongCrcTested", Kind::kWrongCrc, "/T /Q \"/L:LOG\"", "does not hold the bytes", 1});
    cases.push_back(
        {"MissingPiece", Kind::kMissingPiece, "/Q:A \"/L:LOG\"", "PKG_002.exe is missing", 1223});
    cases.push_back({"FolderUnderAFile", Kind::kGood,
                     "/Q:A \"/X:TEMP\\PACKAGE.EXE\\sub\" \"/L:LOG\"", "could not be made", 1});
    cases.push_back(
        {"StartProgramLacksADll", Kind::kMissingDll, "/Q:A \"/L:LOG\"", "Starting ", 0});
    // The inner stub started by hand: its own argument check.
    cases.push_back({"InnerUnknownInFront", Kind::kInnerStubOnly, "/Z /A \"/L:LOG\"",
                     "Error: This program is a part of an installation package", 1});
    cases.push_back({"InnerUnknownBehind", Kind::kInnerStubOnly, "/A \"/L:LOG\" /Z",
                     "Error: This program is a part of an installation package", 1});
    cases.push_back({"InnerWithoutRecord", Kind::kInnerStubOnly, "\"/L:LOG\" /A",
                     "Error: This program is a part of an installation package", 1});
    return cases;
}

class StubQuiet : public testing::TestWithParam<QuietCase> {
protected:
    std::string Expanded(const std::string& text) const {
        std::string longFolder = temp_ / std::string(235 - temp_.Path().size() - 1, 'F');
        return Replaced(Replaced(Replaced(text, "LOG", temp_ / "run.log"), "LONG", longFolder),
                        "TEMP", temp_.Path());
    }

    TempDir temp_;
};

TEST_P(StubQuiet, EndsWithoutAnyWindow) {
    const QuietCase& c = GetParam();
    std::string log = temp_ / "run.log";
    SetEnvironmentVariableA("VNP_PROBE_LOG", (temp_ / "probe.log").c_str());
    SetEnvironmentVariableA("VNP_PROBE_EXIT", "3");
    std::string package = WriteKind(c.kind, temp_);
    std::string switches = Expanded(c.switches);
    std::string temporary =
        c.temporaryFolder.empty() ? temp_.MakeFolder("temporary") : Expanded(c.temporaryFolder);
    OwnTemporaryFolder redirected(temporary);
    std::vector<std::string> windows;
    int code = RunChild(
        Quoted(package) + " " + switches, [&] { windows = WatchChildWindows(); }, 15000);
    if (c.exitCode)
        EXPECT_EQ(code, c.exitCode);
    else
        EXPECT_NE(code, 0);
    EXPECT_NE(code, -1) << "did not end";
    EXPECT_TRUE(windows.empty()) << windows.front();
    std::string logged = ReadWholeFile(log);
    if (c.logged.empty())
        EXPECT_EQ(logged, "");
    else
        EXPECT_NE(logged.find(Expanded(c.logged)), std::string::npos) << logged;
    EXPECT_EQ(ReadWholeFile(temp_ / "probe.log"), "") << "the start program ran";
    // Files taken back or removed after a failed extraction are not listed
    // as extracted; an extraction that stood until the start is.
    if (logged.find("Starting ") == std::string::npos) {
        EXPECT_EQ(logged.find("Extracted "), std::string::npos) << logged;
    }
    // Nothing is left: no temporary folder, no folder or file extracted.
    EXPECT_TRUE(FolderContents(temporary).empty()) << "left in " << temporary;
    for (const std::string& name : FolderContents(temp_.Path()))
        EXPECT_TRUE(name == "PACKAGE.EXE" || name == "PKG_001.exe" || name == "INNER.EXE" ||
                    name == "run.log" || name == "temporary")
            << "left behind: " << name;
}

INSTANTIATE_TEST_SUITE_P(CommandLines, StubQuiet, testing::ValuesIn(QuietCases()),
                         [](const testing::TestParamInfo<QuietCase>& info) {
                             return info.param.name;
                         });

// Under /Q:A the stubs keep the platform's own boxes away: a drive that is
// not ready, a DLL that is missing, a crash.
TEST(StubQuietStart, TheStubsSwitchThePlatformsBoxesOff) {
    UINT before = SetErrorMode(0);
    stub::NoSystemErrorBoxes();
    UINT mode = SetErrorMode(before);
    EXPECT_EQ(mode, UINT(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX));
}

// The error mode of the start program, as the probe logs it; ~0u when the
// probe did not run.
UINT ProbeErrorMode(const std::string& commandLine, const std::string& probeLog) {
    DeleteFileA(probeLog.c_str());
    RunChild(commandLine);
    std::string probe = ReadWholeFile(probeLog);
    size_t at = probe.find("errormode=");
    return at == std::string::npos ? ~0u : UINT(strtoul(probe.c_str() + at + 10, nullptr, 10));
}

// The start program inherits the setting (a DLL it lacks is then no box),
// where the platform passes it on to the programs a process starts: Wine
// does not, which the test's own child shows.
TEST(StubQuietStart, TheStartProgramInheritsTheSetting) {
    TempDir temp;
    std::string probeLog = temp / "probe.log";
    SetEnvironmentVariableA("VNP_PROBE_LOG", probeLog.c_str());
    SetEnvironmentVariableA("VNP_PROBE_EXIT", "3");
    std::string probe = temp / "PROBE.EXE";
    WriteBytes(probe, ProbeProgram());
    // The probe lists its current folder: the test's own small one.
    char folder[MAX_PATH];
    GetCurrentDirectoryA(sizeof folder, folder);
    SetCurrentDirectoryA(temp.Path().c_str());
    UINT before = SetErrorMode(SEM_FAILCRITICALERRORS);
    UINT passedOn = ProbeErrorMode(Quoted(probe), probeLog);
    SetErrorMode(before);
    SetCurrentDirectoryA(folder);
    ASSERT_NE(passedOn, ~0u);
    if (!(passedOn & SEM_FAILCRITICALERRORS))
        GTEST_SKIP() << "this platform does not pass the error mode on to child processes";
    std::string package = WriteKind(Kind::kGood, temp);
    EXPECT_EQ(ProbeErrorMode(Quoted(package) + " /Q:A", probeLog) & SEM_FAILCRITICALERRORS,
              UINT(SEM_FAILCRITICALERRORS));
    EXPECT_EQ(ProbeErrorMode(Quoted(package), probeLog) & SEM_FAILCRITICALERRORS, 0u);
}

// Names from the package and texts from the command line are logged with
// their control characters escaped: none can start a line of its own.
TEST(StubLog, NamesAndSwitchesCannotWriteLinesOfTheirOwn) {
    const struct {
        const char* name;
        std::string entry;
        std::string switches;
        std::string escaped;
    } cases[] = {
        {"EntryName", "a\r\nError: forged.txt", "", "(a<0D><0A>Error: forged.txt)"},
        {"Switch", "a.txt", " \"/Z\r\nError: forged\"", "/Z<0D><0A>Error: forged is not known."},
        {"LineFeedOnly", "b\nPackage forged.txt", "", "(b<0A>Package forged.txt)"},
    };
    for (const auto& c : cases) {
        TempDir temp;
        std::string package = temp / "PACKAGE.EXE";
        WriteBytes(package, TestPackage(OuterStub(), InnerStub(),
                                        StoredZip({{"a.txt", "a"}, {c.entry, "x"}}),
                                        TestRecord(c.entry, "", "")));
        std::string log = temp / "run.log";
        EXPECT_EQ(RunChild(Quoted(package) + " /Q:A \"/X:" + (temp / "out") + "\" \"/L:" + log +
                           "\"" + c.switches),
                  1)
            << c.name;
        std::string logged = ReadWholeFile(log);
        EXPECT_NE(logged.find(c.escaped), std::string::npos) << c.name << "\n" << logged;
        // Each line is one the stubs wrote: none begins with the forged text.
        for (size_t at = 0, end; (end = logged.find("\r\n", at)) != std::string::npos;
             at = end + 2) {
            EXPECT_TRUE(logged.compare(at, 8, "Package ") == 0 ||
                        logged.compare(at, 7, "Error: ") == 0)
                << c.name << "\n"
                << logged;
            EXPECT_NE(logged.compare(at, 13, "Error: forged"), 0) << c.name;
            EXPECT_NE(logged.compare(at, 14, "Package forged"), 0) << c.name;
        }
        EXPECT_EQ(std::count(logged.begin(), logged.end(), '\n'), c.switches.empty() ? 2 : 1)
            << c.name << "\n"
            << logged;
        EXPECT_EQ(std::count(logged.begin(), logged.end(), '\r'),
                  std::count(logged.begin(), logged.end(), '\n'));
    }
}

// A long temporary folder, a long /X:, /L: and password together give the
// inner stub a command line far beyond 1,024 characters: it arrives whole,
// so the log is written where /L: says and the password is right.
TEST(StubLongLine, ReachesTheInnerStubWhole) {
    TempDir temp;
    const std::string password = "Secret7-and-thirty-one-more-characters!";  // 39, as kept
    ASSERT_EQ(password.size(), 39u);
    // As long as each may be: the inner executable's path, the folder with
    // its longest entry path and the temporary name beside it, the log.
    std::string temporary = temp.MakeFolder(std::string(215 - temp.Path().size() - 1, 't'));
    std::string target = temp / std::string(246 - temp.Path().size() - 1, 'x');
    std::string logFolder = temp.MakeFolder(std::string(240 - temp.Path().size() - 1, 'l'));
    std::string log = logFolder + "\\run.log";
    std::string package = temp / "PACKAGE.EXE";
    WriteBytes(package, TestPackage(OuterStub(), InnerStub(),
                                    StoredZip({{"SETUP.EXE", ProbeProgram()}, {"a.txt", "a"}}),
                                    TestRecord("a.txt", password, "SETUP.EXE")));
    // The inner path, record, folder, password and log as hexadecimal and text.
    size_t line =
        (temporary.size() + 27) + 204 + (target.size() + 5) + 9 + (4 + 78) + (log.size() + 6);
    ASSERT_GT(line, 1024u);
    OwnTemporaryFolder redirected(temporary);
    EXPECT_EQ(RunChild(Quoted(package) + " /Q:A \"/X:" + target + "\" \"/P:" + password +
                       "\" \"/L:" + log + "\""),
              0);
    EXPECT_EQ(ReadWholeFile(target + "\\a.txt"), "a");
    std::string logged = ReadWholeFile(log);
    EXPECT_NE(logged.find("Extracted a.txt (1 bytes)"), std::string::npos) << logged;
    EXPECT_TRUE(FolderContents(temporary).empty());
}

}  // namespace
