// Packages in the field: made by the real builder around the real stubs,
// then tested with /T, installed without any window with /Q:A and logged
// with /L:, each run as a child process.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "spanning.h"
#include "stub_packages.h"
#include "temp_dir.h"

namespace {

const size_t kNoise = 3000000;  // three pieces when spanned
// A name the builder takes as it is, of the same length as a hostile one
// that the test writes over it in the package.
const char kTameName[] = "HOSTILE1.TXT";
const char kHostileName[] = "../../ev.txt";

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Every file and folder below the folder with its size and time, to see
// that a run wrote nothing there.
std::string Snapshot(const std::string& folder) {
    std::string listing;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return listing;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        listing += name + " " + std::to_string(found.nFileSizeLow) + " " +
                   std::to_string(found.ftLastWriteTime.dwLowDateTime) + "\n";
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            listing += Snapshot(folder + "\\" + name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return listing;
}

// The changes a test makes to a package after the builder wrote it.
enum class Change { kNone, kPieceMissing, kPieceCut, kPieceByte, kDataByte, kHostileName };

class FieldPackage : public testing::Test {
protected:
    void SetUp() override {
        SetEnvironmentVariableA("VNP_PROBE_LOG", (temp_ / "probe.log").c_str());
        SetEnvironmentVariableA("VNP_PROBE_EXIT", "42");
        temp_.MakeFile("DISK1\\SETUP.EXE", ProbeProgram());
        temp_.MakeFile("DISK1\\README.TXT", "Read me.");
        temp_.MakeFile(std::string("DISK1\\") + kTameName, "harmless");
        temp_.MakeFile("DISK2\\DATA.CAB", Noise(kNoise));
        temp_.MakeFolder("out");
    }

    // The builder's package (its first piece when spanned).
    std::string Build(bool span, const std::string& password = "") {
        std::string package = temp_ / "out\\Setup.exe";
        std::string line = Quoted(WinePath(VNPMAKE_UNIX_PATH)) + (span ? " /SPAN" : "") +
                           (password.empty() ? "" : " /PASSWORD:" + password) + " " +
                           Quoted(package) + " " + Quoted(temp_ / "DISK1") + " " +
                           Quoted(temp_ / "DISK2");
        EXPECT_EQ(RunChild(line), 0) << line;
        return span ? PieceName(package, 1) : package;
    }

    void Make(Change change, std::string package) {
        if (change == Change::kNone) return;
        if (change == Change::kPieceByte) package = PieceName(temp_ / "out\\Setup.exe", 2);
        std::string bytes = ReadWholeFile(package);
        switch (change) {
        case Change::kNone: return;
        case Change::kPieceByte: bytes[700000] ^= 0x55; break;
        case Change::kPieceMissing:
            ASSERT_TRUE(DeleteFileA(PieceName(temp_ / "out\\Setup.exe", 2).c_str()));
            return;
        case Change::kPieceCut: {
            std::string second = PieceName(temp_ / "out\\Setup.exe", 2);
            std::string cut = ReadWholeFile(second);
            cut.pop_back();
            WriteBytes(second, cut);
            return;
        }
        case Change::kDataByte: {
            // Deflate keeps incompressible bytes as they are.
            size_t at = bytes.find(Noise(kNoise).substr(kNoise / 2, 64));
            ASSERT_NE(at, std::string::npos);
            bytes[at] ^= 0x55;
            break;
        }
        case Change::kHostileName:
            for (size_t at = bytes.find(kTameName); at != std::string::npos;
                 at = bytes.find(kTameName, at))
                bytes.replace(at, strlen(kHostileName), kHostileName);
            break;
        }
        WriteBytes(package, bytes);
    }

    std::string Log() const { return ReadWholeFile(temp_ / "run.log"); }
    std::string LogSwitch() const { return " \"/L:" + (temp_ / "run.log") + "\""; }

    TempDir temp_;
};

// One window the package shows and the button the test presses there.
struct Press {
    const char* text;  // a part of the box's text
    int button;
};

struct CheckCase {
    const char* name;
    bool span;
    Change change;
    const char* switches;
    std::vector<Press> presses;
    int exitCode;
    const char* said;  // in the log, as in the box
};

void PrintTo(const CheckCase& c, std::ostream* out) { *out << c.name; }

class PackageCheck : public FieldPackage, public testing::WithParamInterface<CheckCase> {};

TEST_P(PackageCheck, ReportsTheFirstFaultAndWritesNothing) {
    const CheckCase& c = GetParam();
    std::string package = Build(c.span);
    Make(c.change, package);
    std::string temporary = temp_.MakeFolder("temporary");
    OwnTemporaryFolder redirected(temporary);
    std::string before = Snapshot(temp_ / "out");
    std::vector<std::string> shown;
    EXPECT_EQ(RunChild(Quoted(package) + c.switches + LogSwitch(),
                       [&] {
                           for (const Press& press : c.presses) {
                               HWND box = WaitForForeignDialog("Vornaly");
                               if (!box) return;
                               shown.push_back(BoxText(box));
                               PostMessageA(box, WM_COMMAND, press.button, 0);
                               for (int i = 0; i < 100 && IsWindow(box); ++i) Sleep(50);
                           }
                       }),
              c.exitCode);
    ASSERT_EQ(shown.size(), c.presses.size());
    for (size_t i = 0; i < shown.size(); ++i)
        EXPECT_NE(shown[i].find(c.presses[i].text), std::string::npos) << shown[i];
    EXPECT_NE(Log().find(c.said), std::string::npos) << Log();
    EXPECT_EQ(Snapshot(temp_ / "out"), before);
    EXPECT_EQ(Snapshot(temporary), "");
    EXPECT_FALSE(Exists(temp_ / "probe.log"));
}

INSTANTIATE_TEST_SUITE_P(
    Field, PackageCheck,
    testing::Values(
        CheckCase{"WholePackage",
                  false,
                  Change::kNone,
                  " /T",
                  {{"The package is complete.", IDOK}},
                  0,
                  "The package is complete."},
        CheckCase{"WholePieces", true, Change::kNone, " /T /Q", {}, 0, "The package is complete."},
        CheckCase{"MissingPieceCancelled",
                  true,
                  Change::kPieceMissing,
                  " /T",
                  {{"Insert the diskette with Setup_002.exe", IDCANCEL}, {"is not complete", IDOK}},
                  1,
                  "Setup_002.exe is missing"},
        CheckCase{"CutPiece", true, Change::kPieceCut, " /T /Q", {}, 1, "is not the right piece"},
        CheckCase{"ChangedDataByte",
                  false,
                  Change::kDataByte,
                  " /T /Q",
                  {},
                  1,
                  "DATA.CAB does not hold the bytes that were packed"},
        CheckCase{"HostileName",
                  false,
                  Change::kHostileName,
                  " /T /Q",
                  {},
                  1,
                  "outside its folder (..\\..\\ev.txt)"}),
    [](const testing::TestParamInfo<CheckCase>& info) { return info.param.name; });

struct QuietAllCase {
    const char* name;
    bool span;
    Change change;
    const char* password;  // the package's
    const char* switches;
    int exitCode;
    const char* said;
};

void PrintTo(const QuietAllCase& c, std::ostream* out) { *out << c.name; }

class QuietAll : public FieldPackage, public testing::WithParamInterface<QuietAllCase> {};

TEST_P(QuietAll, EndsAtOnceWithoutAWindowAndExtractsNothing) {
    const QuietAllCase& c = GetParam();
    std::string package = Build(c.span, c.password);
    Make(c.change, package);
    std::string target = temp_ / "target";
    bool windowSeen = false;
    EXPECT_EQ(RunChild(
                  Quoted(package) + c.switches + " \"/X:" + target + "\"" + LogSwitch(),
                  [&] {
                      windowSeen = WaitForForeignDialog("Vornaly", 3000) ||
                                   WaitForForeignDialog("Vornaly Password", 500);
                  },
                  20000),
              c.exitCode);
    EXPECT_FALSE(windowSeen);
    EXPECT_FALSE(Exists(target));
    EXPECT_NE(Log().find(c.said), std::string::npos) << Log();
}

INSTANTIATE_TEST_SUITE_P(
    Field, QuietAll,
    testing::Values(QuietAllCase{"MissingPiece", true, Change::kPieceMissing, "", " /Q:A", 1223,
                                 "Error: The piece "},
                    QuietAllCase{"DamagedPiece", true, Change::kPieceByte, "", " /Q:A", 1,
                                 "Error: The package is damaged"},
                    QuietAllCase{"DamagedData", false, Change::kDataByte, "", " /Q:A", 1,
                                 "Error: The package is damaged: DATA.CAB"},
                    QuietAllCase{"WrongPassword", false, Change::kNone, "Secret7",
                                 " /Q:A /P:Secret", 1,
                                 "Error: The password given with /P: is not right."},
                    QuietAllCase{"MissingPassword", false, Change::kNone, "Secret7", " /Q:A", 1,
                                 "Error: This package is protected by a password"},
                    QuietAllCase{"HostileName", false, Change::kHostileName, "", " /Q:A", 1,
                                 "Error: The package holds a file that would be written outside"}),
    [](const testing::TestParamInfo<QuietAllCase>& info) { return info.param.name; });

TEST_F(FieldPackage, LogOfAWholeInstallListsEveryFileAndTheExitCode) {
    std::string package = Build(true);
    EXPECT_EQ(RunChild(Quoted(package) + " /Q" + LogSwitch()), 42);
    const std::string expected[] = {
        "Package " + package,
        "Piece 3 of 3: " + PieceName(temp_ / "out\\Setup.exe", 3),
        "Extracted README.TXT (8 bytes)",
        "Extracted SETUP.EXE (" + std::to_string(ProbeProgram().size()) + " bytes)",
        std::string("Extracted ") + kTameName + " (8 bytes)",
        "Extracted DATA.CAB (" + std::to_string(kNoise) + " bytes)",
        "SETUP.EXE ended with exit code 42."};
    for (const std::string& line : expected)
        EXPECT_NE(Log().find(line + "\r\n"), std::string::npos) << line << " in\n" << Log();
}

}  // namespace
