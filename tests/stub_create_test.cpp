// Packages made by the program's own Create around the real stubs, then
// installed as a child process: the whole road from the setup folders to the
// start program.
// This test program runs from a folder of its own that holds the real stubs,
// where the writers look for them.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "create_package.h"
#include "dialog_driver.h"
#include "main_dialog_fixture.h"
#include "resource.h"
#include "setup_list.h"
#include "spanning.h"
#include "stub_packages.h"
#include "temp_dir.h"

namespace {

struct WriterCase {
    const char* name;
    const char* password;
    bool span;
    size_t noise;
    size_t pieces;
};

void PrintTo(const WriterCase& c, std::ostream* out) { *out << c.name; }

class StubCreate : public MainDialogTest, public testing::WithParamInterface<WriterCase> {
protected:
    TempDir source, out;
};

TEST_P(StubCreate, CreatedPackageInstallsAndRunsItsStartProgram) {
    const WriterCase& c = GetParam();
    std::string disk1 = source.MakeFolder("Disk1"), disk2 = source.MakeFolder("Disk2");
    source.MakeFile("Disk1\\SETUP.EXE", ProbeProgram());
    source.MakeFile("Disk1\\README.TXT", "Read me.");
    source.MakeFile("Disk2\\DATA.CAB", Noise(c.noise));
    AddSetupFolders(TheShell.setupList, {disk1, disk2});
    SendMessageA(TheShell.spanCheckBox, BM_SETCHECK, c.span ? BST_CHECKED : BST_UNCHECKED, 0);
    SetWindowTextA(TheShell.passwordField, c.password);
    const std::string output = out / "Setup.exe";
    {
        DialogAnswerer open("Select the Vornaly executable", IDOK,
                            [&](HWND dialog) { SetDlgItemTextA(dialog, 0x47C, output.c_str()); });
        Click(IDC_CREATE);
        open.Join();
        ASSERT_TRUE(open.Seen());
    }
    std::string package = c.span ? PieceName(output, 1) : output;
    EXPECT_EQ(FolderContents(out.Path()).size(), c.pieces);

    std::string log = out / "probe.log";
    SetEnvironmentVariableA("VNP_PROBE_LOG", log.c_str());
    SetEnvironmentVariableA("VNP_PROBE_EXIT", "42");
    std::string switches = *c.password ? std::string(" /Q /P:") + c.password : " /Q";
    EXPECT_EQ(RunChild("\"" + package + "\"" + switches), 42);
    const std::string found = ReadWholeFile(log);
    for (const std::string& file :
         {std::string("file=SETUP.EXE "), std::string("file=README.TXT 8"),
          "file=DATA.CAB " + std::to_string(c.noise)})
        EXPECT_NE(found.find(file), std::string::npos) << file << " in\n" << found;
}

INSTANTIATE_TEST_SUITE_P(
    Stub, StubCreate,
    testing::Values(WriterCase{"Plain", "", false, 50000, 1},
                    WriterCase{"WithPassword", "Secret7", false, 50000, 1},
                    WriterCase{"SpannedWithALongPassword", "LongPassword1234", true, 3000000, 3}),
    [](const testing::TestParamInfo<WriterCase>& info) { return info.param.name; });

}  // namespace
