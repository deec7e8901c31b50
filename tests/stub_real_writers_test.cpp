// Packages made by the program's own writers (and spanning) around the real
// stubs, from an archive the real zip component wrote, then installed as a
// child process: the whole road from the setup folder to the start program.
// This test program runs from a folder of its own that holds the real stubs,
// where the writers look for them.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "component_calls.h"
#include "main_dialog_fixture.h"
#include "package_writers.h"
#include "spanning.h"
#include "stub_packages.h"
#include "temp_dir.h"
#include "working_values.h"

namespace {

struct WriterCase {
    const char* name;
    const char* password;
    bool span;
    size_t noise;
    size_t pieces;
};

void PrintTo(const WriterCase& c, std::ostream* out) { *out << c.name; }

class StubRealWriters : public MainDialogTest, public testing::WithParamInterface<WriterCase> {
protected:
    TempDir dir;
};

TEST_P(StubRealWriters, PackageInstallsAndRunsItsStartProgram) {
    const WriterCase& c = GetParam();
    dir.MakeFile("setup\\SETUP.EXE", ProbeProgram());
    dir.MakeFile("setup\\disk2\\data.bin", Noise(c.noise));
    dir.MakeFile("setup\\readme.txt", "Read me.");
    OutputPath = dir / "Setup.exe";
    ArchivePath = dir / "Setup.zip";
    IntermediatePath = dir / "SetuPlus.exe";
    InstallExecutable = "SETUP.EXE";
    ASSERT_EQ(Zip(ArchivePath, dir / "setup\\*.*"), 0);
    const std::string lastEntry = Listing(ArchivePath).back();
    SetWindowTextA(TheShell.passwordField, c.password);

    ASSERT_TRUE(WriteInnerExecutable());
    ASSERT_TRUE(MarkInnerExecutable(OutputPath));
    ASSERT_TRUE(MoveFileA(OutputPath.c_str(), IntermediatePath.c_str()));
    ASSERT_TRUE(WritePackage(lastEntry));
    std::string package = OutputPath;
    if (c.span) {
        SpanPackage();
        package = PieceName(OutputPath, 1);
        EXPECT_TRUE(GetFileAttributesA(PieceName(OutputPath, int(c.pieces)).c_str()) !=
                    INVALID_FILE_ATTRIBUTES);
        EXPECT_TRUE(GetFileAttributesA(PieceName(OutputPath, int(c.pieces) + 1).c_str()) ==
                    INVALID_FILE_ATTRIBUTES);
    }

    std::string log = dir / "probe.log";
    SetEnvironmentVariableA("VNP_PROBE_LOG", log.c_str());
    SetEnvironmentVariableA("VNP_PROBE_EXIT", "42");
    std::string switches = *c.password ? std::string(" /Q /P:") + c.password : " /Q";
    EXPECT_EQ(RunChild("\"" + package + "\"" + switches), 42);
    const std::string found = ReadWholeFile(log);
    for (std::string file : {"file=SETUP.EXE ", "file=readme.txt 8", "file=disk2\\data.bin "}) {
        if (file == "file=disk2\\data.bin ") file += std::to_string(c.noise);
        EXPECT_NE(found.find(file), std::string::npos) << file << " in\n" << found;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Stub, StubRealWriters,
    testing::Values(WriterCase{"Plain", "", false, 50000, 1},
                    WriterCase{"WithPassword", "Secret7", false, 50000, 1},
                    WriterCase{"SpannedWithALongPassword", "LongPassword1234", true, 3000000, 3}),
    [](const testing::TestParamInfo<WriterCase>& info) { return info.param.name; });

}  // namespace
