// Where a package writes: its temporary folder, which an elevated package
// makes for administrators and SYSTEM alone (every Wine process has
// administrator rights, so the NT prefixes take that way and the Windows 98
// one the other). Wine keeps no access lists of files: it turns the one a
// folder is made with into the folder's Unix permissions and shows a list
// made from those, so what it can show is that the list reached the
// platform (no entry for Everyone, as an ordinary folder has one); that
// the folders and files below inherit it is Windows' part. And the /X: folder, tried before
// anything is written (Wine refuses root nothing, so the refusal comes in through the trial's
// seam). Whole packages show both, and that /X: extracts a 16-bit setup.
#include <gtest/gtest.h>

#include <windows.h>
#include <sddl.h>

#include <string>

#include "file_io.h"
#include "private_folder.h"
#include "seen_platform.h"
#include "stub_messages.h"
#include "stub_packages.h"
#include "target_folder.h"
#include "temp_dir.h"

namespace {

// The folder's access list as SDDL text, or "" where there is none to read.
std::string AccessList(const std::string& path) {
    char descriptor[4096];
    DWORD needed = 0;
    LPSTR text = nullptr;
    if (!GetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, descriptor, sizeof descriptor,
                          &needed) ||
        !ConvertSecurityDescriptorToStringSecurityDescriptorA(
            descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text, nullptr))
        return "";
    std::string list = text;
    LocalFree(text);
    return list;
}

// The list an administrator's package gives its folder, inherited by all
// below and none of the temporary folder's own inherited into it.
const char kAdministratorsAndSystem[] = "O:BAD:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)";
// The entry for Everyone that Wine shows for an ordinary folder.
const char kEveryone[] = ";;;WD)";

std::string DescriptorText(SECURITY_ATTRIBUTES* attributes) {
    LPSTR text = nullptr;
    if (!attributes || !ConvertSecurityDescriptorToStringSecurityDescriptorA(
                           attributes->lpSecurityDescriptor, SDDL_REVISION_1,
                           OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &text, nullptr))
        return "";
    std::string list = text;
    LocalFree(text);
    return list;
}

TEST(PrivateFolder, IsForAdministratorsAndSystemAloneWhereThePackageIsElevated) {
    // The rule, for the rights Wine never lacks: the NT line with and
    // without administrator rights, the Windows 95 line.
    EXPECT_TRUE(stub::RestrictsFolder(false, true));
    EXPECT_FALSE(stub::RestrictsFolder(false, false));
    EXPECT_FALSE(stub::RestrictsFolder(true, true));

    SECURITY_ATTRIBUTES attributes;
    EXPECT_EQ(DescriptorText(stub::PrivateFolderAttributes(attributes)),
              OnWindows95Line() ? "" : kAdministratorsAndSystem);

    TempDir temp;
    OwnTemporaryFolder temporary(temp.Path());
    char folder[MAX_PATH];
    ASSERT_TRUE(stub::MakePrivateFolder(folder, sizeof folder));
    std::string made = folder;
    made.pop_back();
    std::string ordinary = temp.MakeFolder("ordinary");
    EXPECT_NE(AccessList(ordinary).find(kEveryone), std::string::npos) << AccessList(ordinary);
    EXPECT_EQ(AccessList(made).find(kEveryone) == std::string::npos, !OnWindows95Line())
        << AccessList(made);
    stub::RemoveTree(made.c_str());
    EXPECT_EQ(GetFileAttributesA(made.c_str()), INVALID_FILE_ATTRIBUTES);
}

// The /X: folder's trial. A stand-in refuses or fails where Wine writes;
// what it was asked is kept.
std::string triedPlace;
bool triedFolder = false;
DWORD trialAnswer = 0;

DWORD StandInTrial(const char* place, bool isFolder) {
    triedPlace = place;
    triedFolder = isFolder;
    return trialAnswer;
}

DWORD RealTrial(const char* place, bool isFolder) {
    triedPlace = place;
    triedFolder = isFolder;
    return stub::TryWriting(place, isFolder);
}

struct TargetCase {
    const char* name;
    const char* target;  // below the test's folder, which holds "there\"
    bool real;
    DWORD answer;
    bool noWindows;
    int exitCode;
    const char* tried;  // below the test's folder; "*" for the trial file
    bool triedFolder;
    bool logs;
};

std::ostream& operator<<(std::ostream& out, const TargetCase& c) { return out << c.name; }

class ExtractionFolder : public testing::TestWithParam<TargetCase> {};

TEST_P(ExtractionFolder, IsTriedBeforeAnythingIsWritten) {
    const TargetCase& c = GetParam();
    TempDir temp;
    temp.MakeFile("there\\kept.txt", "kept");
    std::string log = temp / "package.log", target = temp / c.target;
    stub::SetReporting(true, log.c_str());
    trialAnswer = c.answer;
    triedPlace.clear();
    int code = stub::RefuseUnwritableFolder(target.c_str(), c.noWindows,
                                            c.real ? RealTrial : StandInTrial);
    stub::SetReporting(false, nullptr);
    EXPECT_EQ(code, c.exitCode);
    std::string tried = c.tried[0] == '*' ? "" : temp / c.tried;
    if (c.tried[0] == '*') {
        EXPECT_EQ(triedPlace.substr(0, target.size() + 4), target + "\\VNP") << triedPlace;
    } else {
        EXPECT_EQ(triedPlace, tried);
    }
    EXPECT_EQ(triedFolder, c.triedFolder);
    // Nothing of the trial is left.
    EXPECT_EQ(FolderContents(temp.Path()).size(), 1u + (c.logs ? 1 : 0));
    EXPECT_EQ(FolderContents(temp / "there").size(), 1u);
    std::string written = ReadWholeFile(log);
    if (c.logs)
        EXPECT_EQ(written, "Error: You may not write into the folder " + target +
                               ". Choose another folder with /X:, or run the package with "
                               "administrator rights.\r\n");
    else
        EXPECT_EQ(written, "");
}

INSTANTIATE_TEST_SUITE_P(
    Trials, ExtractionFolder,
    testing::Values(TargetCase{"ThereAndWritable", "there", true, 0, true, 0, "*", false, false},
                    TargetCase{"MissingBelowAWritableOne", "there\\new\\deeper", true, 0, true, 0,
                               "there\\new", true, false},
                    TargetCase{"RefusedUnderQA", "there", false, ERROR_ACCESS_DENIED, true, 5, "*",
                               false, true},
                    TargetCase{"RefusedWithWindows", "there", false, ERROR_ACCESS_DENIED, false, 1,
                               "*", false, true},
                    TargetCase{"MissingAndRefused", "there\\new\\deeper", false,
                               ERROR_ACCESS_DENIED, true, 5, "there\\new", true, true},
                    TargetCase{"OtherFaultsLeftToTheExtraction", "there", false,
                               ERROR_WRITE_PROTECT, true, 0, "*", false, false}),
    [](const testing::TestParamInfo<TargetCase>& info) { return std::string(info.param.name); });

// /X: into the locked folder, or a folder below it, as a user without
// the rights runs it: with every window, and with none.
struct LockedCase {
    const char* name;
    const char* below;  // the /X: folder below the locked one
    bool noWindows;
    int exitCode;
};

std::ostream& operator<<(std::ostream& out, const LockedCase& c) { return out << c.name; }

class LockedFolder : public testing::TestWithParam<LockedCase> {};

TEST_P(LockedFolder, IsNamedAndNothingIsWritten) {
    const LockedCase& c = GetParam();
    std::string locked = WinePath(LOCKED_UNIX_PATH);
    HANDLE trial = CreateFileA((locked + "\\trial.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                               CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (trial != INVALID_HANDLE_VALUE) {
        CloseHandle(trial);
        GTEST_SKIP() << locked << " is not locked on this machine";
    }
    TempDir temp;
    std::string log = temp / "package.log", package = temp / "MyApp.exe";
    WriteBytes(package,
               TestPackage(OuterStub(), InnerStub(), StoredZip({{"SETUP.EXE", ProbeProgram()}}),
                           TestRecord("SETUP.EXE", "", "SETUP.EXE")));
    std::string target = locked + c.below;
    std::string line = "\"" + package + "\" \"/L:" + log + "\" \"/X:" + target + "\"" +
                       (c.noWindows ? " /Q:A" : "");
    const std::string said = "You may not write into the folder " + target +
                             ". Choose another folder with /X:, or run the package with "
                             "administrator rights.";
    int code = RunChild(line, [&] {
        if (c.noWindows) return;
        HWND box = WaitForForeignDialog("Vornaly");
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(BoxText(box), said);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(code, c.exitCode);
    EXPECT_NE(ReadWholeFile(log).find("Error: " + said + "\r\n"), std::string::npos)
        << ReadWholeFile(log);
    EXPECT_TRUE(FolderContents(locked).empty());
}

INSTANTIATE_TEST_SUITE_P(Runs, LockedFolder,
                         testing::Values(LockedCase{"ThereUnderQA", "", true, 5},
                                         LockedCase{"BelowItUnderQA", "\\App\\Files", true, 5},
                                         LockedCase{"ThereWithWindows", "", false, 1}),
                         [](const testing::TestParamInfo<LockedCase>& info) {
                             return std::string(info.param.name);
                         });

// Whole packages around the real stubs, run as a user runs them.
struct PackageCase {
    const char* name;
    bool sixteenBit;     // the start program is a 16-bit one
    bool extractOnly;    // /X:
    int exitCode;        // -1: the start program's
    const char* logged;  // in the package's log
};

std::ostream& operator<<(std::ostream& out, const PackageCase& c) { return out << c.name; }

class WholePackage : public testing::TestWithParam<PackageCase> {};

std::string NewExecutable() {
    std::string bytes(512, '\0');
    bytes[0] = 'M';
    bytes[1] = 'Z';
    bytes[0x3C] = char(0x80);
    memcpy(&bytes[0x80], "NE", 2);
    return bytes;
}

TEST_P(WholePackage, WritesWhereItMay) {
    const PackageCase& c = GetParam();
    // A 32-bit Wine runs 16-bit programs; only a 64-bit stub sees a 64-bit
    // Windows there.
    if (c.sixteenBit && !c.extractOnly && sizeof(void*) == 4)
        GTEST_SKIP() << "the 32-bit stubs run under a 32-bit Wine, which runs 16-bit programs";
    TempDir temp;
    OwnTemporaryFolder temporary(temp.MakeFolder("temporary"));
    std::string probeLog = temp / "probe.log", log = temp / "package.log";
    SetEnvironmentVariableA("VNP_PROBE_LOG", probeLog.c_str());
    SetEnvironmentVariableA("VNP_PROBE_EXIT", "42");
    SetEnvironmentVariableA("VNP_PROBE_ACL", "1");
    std::string setup = c.sixteenBit ? NewExecutable() : ProbeProgram();
    std::string package = temp / "MyApp.exe";
    WriteBytes(package, TestPackage(OuterStub(), InnerStub(),
                                    StoredZip({{"SETUP.EXE", setup}, {"README.TXT", "Read me."}}),
                                    TestRecord("SETUP.EXE", "", "SETUP.EXE")));
    std::string line = "\"" + package + "\" /Q:A \"/L:" + log + "\"";
    if (c.extractOnly) line += " \"/X:" + (temp / "out") + "\"";
    int code = RunChild(line);
    SetEnvironmentVariableA("VNP_PROBE_ACL", nullptr);
    EXPECT_EQ(code, c.exitCode);
    std::string written = ReadWholeFile(log);
    EXPECT_NE(written.find(c.logged), std::string::npos) << written;
    if (c.extractOnly) {
        EXPECT_EQ(ReadWholeFile(temp / "out\\SETUP.EXE"), setup);
        EXPECT_EQ(FolderContents(temp / "out").size(), 2u);  // no trial file left
    }
    std::string probe = ReadWholeFile(probeLog);
    if (!c.extractOnly && !c.sixteenBit) {
        // The package's folder above FILES, where the start program runs,
        // is made for administrators and SYSTEM on the NT line.
        size_t parent = probe.find("parentacl=D:");
        ASSERT_NE(parent, std::string::npos) << probe;
        std::string list = probe.substr(parent, probe.find('\r', parent) - parent);
        EXPECT_EQ(list.find(kEveryone) == std::string::npos, !OnWindows95Line()) << list;
    } else {
        EXPECT_EQ(probe, "");
    }
    EXPECT_EQ(FolderContents(temp / "temporary").size(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, WholePackage,
    testing::Values(PackageCase{"Installs", false, false, 42, "SETUP.EXE ended with exit code 42."},
                    PackageCase{"Extracts", false, true, 0, "Extracted SETUP.EXE"},
                    PackageCase{"ExtractsASixteenBitSetup", true, true, 0, "Extracted SETUP.EXE"},
                    PackageCase{
                        "RefusesASixteenBitSetupOn64BitWindows", true, false, 1,
                        "Error: SETUP.EXE is a 16-bit program, and this version of Windows cannot "
                        "run 16-bit programs."}),
    [](const testing::TestParamInfo<PackageCase>& info) { return std::string(info.param.name); });

}  // namespace
