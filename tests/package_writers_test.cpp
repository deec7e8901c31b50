// The inner executable and the installation package written byte for byte
// around stand-in stubs, and every failure reported once, in the real main
// dialog's status bar and message boxes.
#include <gtest/gtest.h>

#include <windows.h>

#include "dialog_driver.h"
#include "main_dialog_fixture.h"
#include "package_format.h"
#include "package_writers.h"
#include "stub_files.h"
#include "temp_dir.h"
#include "working_values.h"

namespace {

// An archive as the zip job leaves it: "PK" first, then bytes that show any
// misplaced block.
std::string Archive(size_t length) { return "PK" + Noise(length - 2); }

std::string StatusText() {
    char text[64] = "";
    SendMessageA(TheShell.statusBar, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

class PackageWriters : public MainDialogTest {
protected:
    void SetUp() override {
        MainDialogTest::SetUp();
        OutputPath = dir / "Setup.exe";
        ArchivePath = dir / "Setup.zip";
        IntermediatePath = dir / "SetuPlus.exe";
        InstallExecutable = "SETUP.EXE";
    }

    // The writers' steps as the Create workflow runs them.
    bool WriteAll() {
        if (!WriteInnerExecutable() || !MarkInnerExecutable(OutputPath)) return false;
        if (!MoveFileA(OutputPath.c_str(), IntermediatePath.c_str())) return false;
        return WritePackage("SETUP.EXE");
    }

    TempDir dir;
};

TEST_F(PackageWriters, InnerExecutableIsTheStubAndTheMarkedArchive) {
    StubFiles stubs;
    const std::string archive = Archive(10000);  // 4,096 + 4,096 + 1,808
    dir.MakeFile("Setup.zip", archive);

    ASSERT_TRUE(WriteInnerExecutable());
    EXPECT_EQ(StatusText(), "Creating EXE");
    EXPECT_EQ(ReadWholeFile(OutputPath), stubs.Inner() + archive);
    EXPECT_EQ(GetFileAttributesA(ArchivePath.c_str()), INVALID_FILE_ATTRIBUTES);

    ASSERT_TRUE(MarkInnerExecutable(OutputPath));
    EXPECT_EQ(ReadWholeFile(OutputPath), stubs.Inner() + "ZS" + archive.substr(2));
}

TEST_F(PackageWriters, PackageHasTheFixedLayout) {
    StubFiles stubs(97792, 30000);
    const std::string archive = Archive(200000);
    dir.MakeFile("Setup.zip", archive);
    SetWindowTextA(TheShell.passwordField, "abc");

    ASSERT_TRUE(WriteAll());

    const std::string package = ReadWholeFile(OutputPath);
    const std::string expected = stubs.Outer() + std::string(394, '\0') + "MORVASX998" +
                                 stubs.Outer() + "MORVASX998" + "MELKOP1998" +
                                 InstallationRecord("SETUP.EXE", "abc", "SETUP.EXE") +
                                 stubs.Inner() + "ZS" + archive.substr(2);
    ASSERT_EQ(package.size(), 358316u);
    EXPECT_EQ(package.substr(60424, 100), InstallationRecord("SETUP.EXE", "abc", "SETUP.EXE"));
    EXPECT_EQ(package.substr(158316, 2), "ZS");
    EXPECT_TRUE(package == expected);
    EXPECT_EQ(StatusText(), "Ready");
    EXPECT_FALSE(IsWindowVisible(TheShell.progressBar));
}

TEST_F(PackageWriters, EachFailureIsReportedOnceAndStopsTheWriters) {
    struct Case {
        const char* name;
        long inner, outer;  // stub lengths; negative: missing
        DWORD stubAttributes;
        std::string message;  // a leading "@" stands for the program folder
    };
    const Case cases[] = {
        {"inner stub missing", -1, 30000, 0, "Unable to locate @Vornaly.vnp"},
        {"outer stub missing", 97792, -1, 0, "Unable to locate @Install.vnp"},
        {"inner stub of the wrong length", 97000, 30000, 0, "Corrupted installation package"},
    };
    for (const Case& c : cases) {
        StubFiles stubs(c.inner, c.outer);
        if (c.stubAttributes) {
            SetFileAttributesA(stubs.InnerPath().c_str(), c.stubAttributes);
            SetFileAttributesA(stubs.OuterPath().c_str(), c.stubAttributes);
        }
        dir.MakeFile("Setup.zip", Archive(5000));
        std::string message = c.message;
        if (message.find('@') != std::string::npos)
            message.replace(message.find('@'), 1, ProgramFolder());

        DialogAnswerer answer("Vornaly");
        EXPECT_FALSE(WriteAll()) << c.name;
        answer.Join();
        EXPECT_EQ(answer.Text(), message) << c.name;
        EXPECT_FALSE(answer.HasIcon()) << c.name;

        for (const std::string& name : FolderContents(dir.Path())) {
            SetFileAttributesA((dir / name).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA((dir / name).c_str());
        }
    }
}

TEST_F(PackageWriters, OutputHeldByAnotherProgramIsReported) {
    StubFiles stubs;
    dir.MakeFile("SetuPlus.exe", "inner executable");
    const std::string old = dir.MakeFile("Setup.exe", "held open");
    HANDLE held = CreateFileA(old.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);

    DialogAnswerer answer("Vornaly");
    EXPECT_FALSE(WritePackage("SETUP.EXE"));
    answer.Join();
    CloseHandle(held);
    EXPECT_EQ(answer.Text(), "Unable to copy " + stubs.OuterPath() + " to " + OutputPath);
    EXPECT_EQ(ReadWholeFile(old), "held open");
    EXPECT_EQ(StatusText(), "Ready");
}

}  // namespace
