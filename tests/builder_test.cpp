// VNPMAKE.EXE run as a build script runs it: its exit codes, what it writes
// to standard error and what it leaves in the output folder; and the same
// setup made through the window and through the builder, in other folders
// with other thread counts, giving the same bytes.
// This test program runs beside the real stubs, as the builder does.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "console_run.h"
#include "dialog_driver.h"
#include "main_dialog_fixture.h"
#include "resource.h"
#include "setup_list.h"
#include "spanning.h"
#include "stub_packages.h"
#include "temp_dir.h"

namespace {

using BuilderRun = ConsoleRun;

// Runs VNPMAKE with these arguments in folder.
BuilderRun RunBuilder(const std::string& folder, const std::string& arguments) {
    return RunConsoleProgram(WinePath(VNPMAKE_UNIX_PATH), folder, arguments);
}

struct BuilderCase {
    const char* name;
    const char* arguments;
    int exitCode;
    const char* error;  // a part of standard error; empty: nothing there
    std::vector<std::string> left;
    const char* startProgram;  // in the record, when a package was written
};

void PrintTo(const BuilderCase& c, std::ostream* out) { *out << c.name; }

class Builder : public testing::TestWithParam<BuilderCase> {};

TEST_P(Builder, ExitsSaysAndLeaves) {
    const BuilderCase& c = GetParam();
    TempDir dir;
    dir.MakeFile("DISK1\\SETUP.EXE", "MZ setup");
    dir.MakeFile("DISK1\\README.TXT", "Read me.");
    dir.MakeFile("BIG\\DATA.CAB", Noise(1600000));
    dir.MakeFile("TWO\\A.EXE", "MZ a");
    dir.MakeFile("TWO\\B.EXE", "MZ b");
    dir.MakeFile("DATA\\DATA.TXT", "no program here");
    dir.MakeFile("FILE.TXT", "a file");
    dir.MakeFolder("out");

    const std::vector<std::string> around = FolderContents(dir.Path());
    const BuilderRun run = RunBuilder(dir.Path(), c.arguments);
    // Nothing lands beside the output folder either, in the current folder.
    EXPECT_EQ(FolderContents(dir.Path()), around);
    EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
    if (*c.error)
        EXPECT_NE(run.err.find(c.error), std::string::npos) << run.err;
    else
        EXPECT_EQ(run.err, "");
    EXPECT_EQ(FolderContents(dir / "out"), c.left);
    if (*c.startProgram) {
        const std::string package = ReadWholeFile(dir / ("out\\" + c.left[0]));
        EXPECT_NE(package.find(TestRecord("", "", c.startProgram).substr(59, 20)),
                  std::string::npos)
            << "start program " << c.startProgram;
    }
}

const char* const kSteps = "Creating EXE\nCreate Vornaly\nReady\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, Builder,
    testing::Values(
        BuilderCase{"Plain", "out\\Setup DISK1", 0, "", {"Setup.exe"}, "SETUP.EXE"},
        BuilderCase{"Span",
                    "/SPAN out\\Setup.exe BIG DISK1",
                    0,
                    "",
                    {"Setup_001.exe", "Setup_002.exe"},
                    "SETUP.EXE"},
        BuilderCase{"Password",
                    "/password:Secret7 out\\Setup.exe DISK1",
                    0,
                    "",
                    {"Setup.exe"},
                    "SETUP.EXE"},
        BuilderCase{"Start", "/START:b.exe out\\Setup.exe TWO", 0, "", {"Setup.exe"}, "B.EXE"},
        BuilderCase{"SeveralExeEntries",
                    "out\\Setup.exe TWO",
                    1,
                    "several EXE entries; name the start program with /START:\n  A.EXE\n  B.EXE",
                    {},
                    ""},
        BuilderCase{"StartNotInTheArchive",
                    "/START:C.EXE out\\Setup.exe TWO",
                    1,
                    "/START:C.EXE is not an EXE entry of the archive. Its EXE entries:",
                    {},
                    ""},
        BuilderCase{"NoExeEntry", "out\\Setup.exe DATA", 0, "", {"Setup.exe"}, ""},
        BuilderCase{
            "MissingFolder", "out\\Setup.exe DISK1 DISK9", 1, "DISK9 does not exist.", {}, ""},
        BuilderCase{"FileAsFolder",
                    "out\\Setup.exe FILE.TXT",
                    1,
                    "FILE.TXT is a file, not a setup folder.",
                    {},
                    ""},
        // The folder is made, as the inner executable's writer would make it.
        BuilderCase{"OutputInAMissingFolder",
                    "out\\none\\Setup.exe DISK1",
                    0,
                    "",
                    {"none"},
                    ""},
        BuilderCase{"OutputNamedLikeAWorkingFile",
                    "out\\SETUPlus.exe DISK1",
                    1,
                    "Vornaly: Unable to write",
                    {},
                    ""},
        BuilderCase{
            "UnknownSwitch", "/SPLIT out\\Setup.exe DISK1", 2, "Unknown switch /SPLIT.", {}, ""},
        BuilderCase{"PasswordTooLong",
                    "/PASSWORD:0123456789012345678901234567890123456789 out\\Setup.exe DISK1",
                    2,
                    "more than 39 characters",
                    {},
                    ""},
        BuilderCase{"NoFolder", "out\\Setup.exe", 2, "No setup folder named.", {}, ""},
        BuilderCase{"EmptyPackageName", "\"\" DISK1", 2, "The package name is empty.", {}, ""},
        BuilderCase{"BlankPackageName", "\"   \" DISK1", 2, "The package name is empty.", {}, ""},
        BuilderCase{"StartTwice",
                    "/START:A.EXE /start:B.EXE out\\Setup.exe TWO",
                    2,
                    "/START: is given twice.",
                    {},
                    ""},
        BuilderCase{"PasswordTwice",
                    "/PASSWORD:one /PASSWORD:two out\\Setup.exe DISK1",
                    2,
                    "/PASSWORD: is given twice.",
                    {},
                    ""},
        BuilderCase{
            "SpanTwice", "/SPAN /span out\\Setup.exe DISK1", 2, "/SPAN is given twice.", {}, ""},
        BuilderCase{"SwitchAfterTheNames",
                    "out\\Setup.exe DISK1 /SPAN",
                    2,
                    "Switches come before the package: /SPAN.",
                    {},
                    ""}),
    [](const testing::TestParamInfo<BuilderCase>& info) { return info.param.name; });

TEST(BuilderOutput, IsTheStepsAndTheUsageOnlyWhenAsked) {
    TempDir dir;
    dir.MakeFile("DISK1\\SETUP.EXE", "MZ setup");
    dir.MakeFile("DISK2\\DATA.TXT", "data");
    const BuilderRun plain = RunBuilder(dir.Path(), "Setup.exe DISK2 DISK1 disk1");
    EXPECT_EQ(plain.out, "Zipped " + (dir / "DISK1") + "\nZipped " + (dir / "DISK2") + "\n" +
                             std::string(kSteps));
    const BuilderRun help = RunBuilder(dir.Path(), "/?");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("Usage: VNPMAKE [/SPAN]", 0), 0u) << help.out;
}

// The window's Create and the builder's, on the same setup with the same
// choices: the same bytes, plain and spanned. The builder's are left for
// check_packages.py in BUILDER_PACKAGES_DIR.
class SameBytes : public MainDialogTest {};

TEST_F(SameBytes, ThroughTheWindowAndThroughTheBuilder) {
    const char* unixFolder = getenv("BUILDER_PACKAGES_DIR");
    if (!unixFolder) GTEST_SKIP() << "written for check_packages.py only";
    const std::string folder = WinePath(unixFolder);
    RemoveTree(folder);
    const std::string setup = folder + "\\setup";
    for (const std::string& name : {folder, setup, setup + "\\Disk1", setup + "\\Disk2",
                                    folder + "\\plain", folder + "\\span", folder + "\\window"})
        CreateDirectoryA(name.c_str(), nullptr);
    WriteBytes(setup + "\\Disk1\\SETUP.EXE", "MZ setup program");
    WriteBytes(setup + "\\Disk1\\README.TXT", std::string(40000, 'r'));
    WriteBytes(setup + "\\Disk2\\DATA1.CAB", Noise(1500000));
    WriteBytes(setup + "\\Disk2\\EMPTY.TXT", "");

    AddSetupFolders(TheShell.setupList, {setup + "\\Disk2", setup + "\\Disk1"});
    SetWindowTextA(TheShell.passwordField, "Secret7");
    auto windowCreate = [&](const std::string& output) {
        DialogAnswerer open("Select the Vornaly executable", IDOK,
                            [&](HWND dialog) { SetDlgItemTextA(dialog, 0x47C, output.c_str()); });
        Click(IDC_CREATE);
        open.Join();
    };
    windowCreate(folder + "\\window\\Setup.exe");
    SendMessageA(TheShell.spanCheckBox, BM_SETCHECK, BST_CHECKED, 0);
    windowCreate(folder + "\\window\\Span.exe");

    SetEnvironmentVariableA("MVWRAP_THREADS", "1");
    EXPECT_EQ(
        RunBuilder(folder, "/PASSWORD:Secret7 plain\\Setup.exe setup\\Disk1 setup\\Disk2").exitCode,
        0);
    EXPECT_EQ(RunBuilder(folder, "/SPAN /PASSWORD:Secret7 span\\Setup setup\\Disk1 setup\\Disk2")
                  .exitCode,
              0);
    SetEnvironmentVariableA("MVWRAP_THREADS", nullptr);

    const std::string plain = ReadWholeFile(folder + "\\plain\\Setup.exe");
    ASSERT_FALSE(plain.empty());
    EXPECT_TRUE(plain == ReadWholeFile(folder + "\\window\\Setup.exe"));
    const std::vector<std::string> pieces = FolderContents(folder + "\\span");
    ASSERT_EQ(pieces, (std::vector<std::string>{"Setup_001.exe", "Setup_002.exe"}));
    for (int number : {1, 2})
        EXPECT_TRUE(ReadWholeFile(PieceName(folder + "\\span\\Setup.exe", number)) ==
                    ReadWholeFile(PieceName(folder + "\\window\\Span.exe", number)))
            << "piece " << number;
}

}  // namespace
