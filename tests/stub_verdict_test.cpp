// /T and the install side by side: for every crafted package, the install
// (/Q:A) refuses it exactly when /T calls it incomplete, and both say the
// same sentence, the install adding only that nothing was installed. A
// publisher who runs /T first learns what the user would see, and so does
// whoever tests the package on Linux with the native reader.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "native_reader.h"
#include "stub_packages.h"
#include "temp_dir.h"

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

// The archive with every name marked as UTF-8, as the Create writes names
// beyond ASCII.
std::string Utf8Marked(std::string archive) {
    for (const char* signature : {"PK\3\4", "PK\1\2"}) {
        size_t flags = std::string(signature) == "PK\1\2" ? 8 : 6;
        for (size_t at = archive.find(signature); at != std::string::npos;
             at = archive.find(signature, at + 4))
            archive[at + flags + 1] |= 0x08;
    }
    return archive;
}

// The log's error line, without "Error: ", or "".
std::string ErrorIn(const std::string& log) {
    size_t at = log.find("Error: ");
    return at == std::string::npos ? "" : log.substr(at + 7, log.find("\r\n", at) - at - 7);
}

enum class Twist { kNone, kUtf8Names, kBytesChanged };

struct VerdictCase {
    const char* name;
    const char* said;            // a part of the refusal; null when the package installs
    std::string start;           // the record's start program, in the bytes of its code page
    Entries entries;             // SETUP.EXE, the probe, first where not said otherwise
    Twist twist = Twist::kNone;  // names marked as UTF-8, or the last file's bytes changed
};

// The names are this system's (code page 1252) where not marked as UTF-8.
std::vector<VerdictCase> Cases() {
    const char* kHolds = "The package holds ";
    const char* kNotAmong = "The installation program that this package names is not among";
    return {
        {"Good", nullptr, "SETUP.EXE", {{"a.txt", "a"}}},
        {"FoldersOfOneNameMeet",
         nullptr,
         "SETUP.EXE",
         {{"sub/a.txt", "a"}, {"SUB/b.txt", "b"}, {"Sub/", ""}}},
        // Made where the start program's character is another byte (1257).
        {"StartProgramOfAnotherCodePage", nullptr, "\xA8.EXE", {{"\xD8.EXE", ""}, {"a.txt", "a"}}},
        {"FileWhereAFolderMustBe",
         "The package holds x and x\\y.txt",
         "SETUP.EXE",
         {{"x", "a file"}, {"x/y.txt", "below"}}},
        {"NamesDifferingInCase",
         kHolds,
         "SETUP.EXE",
         {{"Read.me", "1"}, {"sub/b", "b"}, {"READ.ME", "2"}}},
        {"AccentedNamesDifferingInCase",
         kHolds,
         "SETUP.EXE",
         {{"caf\xe9.txt", "1"}, {"CAF\xc9.TXT", "2"}}},
        {"StartProgramNotThere", kNotAmong, "INSTALL.EXE", {{"a.txt", "a"}}},
        {"StartProgramBeyondAsciiNotThere",
         kNotAmong,
         "\xC8.EXE",
         {{"\xC9.EXE", ""}, {"a.txt", "a"}}},
        {"SuperscriptDevice",
         "would be written outside its folder (sub\\COM\xB9.log)",
         "SETUP.EXE",
         {{"sub/COM\xB9.log", "x"}}},
        {"NameThisSystemCannotHold",
         "This system cannot hold the file name",
         "SETUP.EXE",
         {{"\xD0\x94.txt", "Cyrillic De"}},
         Twist::kUtf8Names},
        {"BytesChanged",
         "a.txt does not hold the bytes that were packed.",
         "SETUP.EXE",
         {{"a.txt", "bytes of a"}},
         Twist::kBytesChanged},
    };
}

TEST(StubVerdicts, TestRefusesWhatTheInstallRefusesInTheSameWords) {
    ASSERT_EQ(GetACP(), 1252u) << "the names are written in code page 1252";
    for (const VerdictCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        TempDir temp;
        // The start program is the probe: given first, or named with no bytes.
        Entries entries = c.entries;
        if (entries.front().second.empty())
            entries.front().second = ProbeProgram();
        else
            entries.insert(entries.begin(), {"SETUP.EXE", ProbeProgram()});
        std::string archive = StoredZip(entries);
        if (c.twist == Twist::kBytesChanged) archive[archive.rfind(entries.back().second)] ^= 1;
        if (c.twist == Twist::kUtf8Names) archive = Utf8Marked(archive);
        std::string package = temp / "PACKAGE.EXE";
        WriteBytes(package, TestPackage(OuterStub(), InnerStub(), archive,
                                        TestRecord(entries.back().first, "", c.start)));
        SetEnvironmentVariableA("VNP_PROBE_LOG", (temp / "probe.log").c_str());
        SetEnvironmentVariableA("VNP_PROBE_EXIT", "42");
        OwnTemporaryFolder redirected(temp.MakeFolder("temporary"));
        std::string installLog = temp / "install.log", testLog = temp / "test.log";
        int installed = RunChild("\"" + package + "\" /Q:A \"/L:" + installLog + "\"");
        int tested = RunChild("\"" + package + "\" /T /Q \"/L:" + testLog + "\"");
        std::string installSaid = ErrorIn(ReadWholeFile(installLog)),
                    testSaid = ErrorIn(ReadWholeFile(testLog));
        ReaderVerdict native = ReaderTest(package);
        EXPECT_EQ(native.exitCode, tested);
        EXPECT_EQ(native.said, c.said ? testSaid : "The package is complete.");
        if (!c.said) {
            EXPECT_EQ(installed, 42) << installSaid;
            EXPECT_EQ(tested, 0) << testSaid;
            EXPECT_NE(ReadWholeFile(testLog).find("The package is complete."), std::string::npos);
            continue;
        }
        EXPECT_EQ(installed, 1);
        EXPECT_EQ(tested, 1);
        EXPECT_NE(testSaid.find(c.said), std::string::npos) << testSaid;
        EXPECT_EQ(installSaid, testSaid + " Nothing was installed.");
        EXPECT_EQ(ReadWholeFile(temp / "probe.log"), "") << "the start program ran";
    }
}

}  // namespace
