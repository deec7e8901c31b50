// /T and the install side by side: for every crafted package, the install
// (/Q:A) refuses it exactly when /T calls it incomplete, and both say the
// same sentence, the install adding only that nothing was installed. A
// publisher who runs /T first learns what the user would see.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

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

struct VerdictCase {
    const char* name;
    Entries entries;
    std::string start;  // the record's start program, in the bytes of its code page
    bool utf8;          // names marked as UTF-8
    bool damaged;       // the last file's bytes changed after packing
    const char* said;   // a part of the refusal; null when the package installs
};

// The names are this system's (code page 1252) where not marked as UTF-8.
std::vector<VerdictCase> Cases() {
    const std::string probe = ProbeProgram();
    return {
        {"Good", {{"SETUP.EXE", probe}, {"a.txt", "a"}}, "SETUP.EXE", false, false, nullptr},
        {"FoldersOfOneNameMeet",
         {{"SETUP.EXE", probe}, {"sub/a.txt", "a"}, {"SUB/b.txt", "b"}, {"Sub/", ""}},
         "SETUP.EXE",
         false,
         false,
         nullptr},
        // Made where the start program's character is another byte (1257).
        {"StartProgramOfAnotherCodePage",
         {{"\xD8.EXE", probe}, {"a.txt", "a"}},
         "\xA8.EXE",
         false,
         false,
         nullptr},
        {"FileWhereAFolderMustBe",
         {{"SETUP.EXE", probe}, {"x", "a file"}, {"x/y.txt", "below"}},
         "SETUP.EXE",
         false,
         false,
         "The package holds x and x\\y.txt"},
        {"NamesDifferingInCase",
         {{"SETUP.EXE", probe}, {"Read.me", "1"}, {"sub/b", "b"}, {"READ.ME", "2"}},
         "SETUP.EXE",
         false,
         false,
         "The package holds "},
        {"AccentedNamesDifferingInCase",
         {{"SETUP.EXE", probe}, {"caf\xe9.txt", "1"}, {"CAF\xc9.TXT", "2"}},
         "SETUP.EXE",
         false,
         false,
         "The package holds "},
        {"StartProgramNotThere",
         {{"SETUP.EXE", probe}, {"a.txt", "a"}},
         "INSTALL.EXE",
         false,
         false,
         "The installation program that this package names is not among its files"},
        {"StartProgramBeyondAsciiNotThere",
         {{"\xC9.EXE", probe}, {"a.txt", "a"}},
         "\xC8.EXE",
         false,
         false,
         "The installation program that this package names is not among its files"},
        {"SuperscriptDevice",
         {{"SETUP.EXE", probe}, {"sub/COM\xB9.log", "x"}},
         "SETUP.EXE",
         false,
         false,
         "would be written outside its folder (sub\\COM\xB9.log)"},
        {"NameThisSystemCannotHold",
         {{"SETUP.EXE", probe}, {"\xD0\x94.txt", "Cyrillic De"}},
         "SETUP.EXE",
         true,
         false,
         "This system cannot hold the file name"},
        {"BytesChanged",
         {{"SETUP.EXE", probe}, {"a.txt", "bytes of a"}},
         "SETUP.EXE",
         false,
         true,
         "a.txt does not hold the bytes that were packed."},
    };
}

TEST(StubVerdicts, TestRefusesWhatTheInstallRefusesInTheSameWords) {
    ASSERT_EQ(GetACP(), 1252u) << "the names are written in code page 1252";
    for (const VerdictCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        TempDir temp;
        std::string archive = StoredZip(c.entries);
        if (c.damaged) archive[archive.rfind(c.entries.back().second)] ^= 1;
        if (c.utf8) archive = Utf8Marked(archive);
        std::string package = temp / "PACKAGE.EXE";
        WriteBytes(package, TestPackage(OuterStub(), InnerStub(), archive,
                                        TestRecord(c.entries.back().first, "", c.start)));
        SetEnvironmentVariableA("VNP_PROBE_LOG", (temp / "probe.log").c_str());
        SetEnvironmentVariableA("VNP_PROBE_EXIT", "42");
        OwnTemporaryFolder redirected(temp.MakeFolder("temporary"));
        std::string installLog = temp / "install.log", testLog = temp / "test.log";
        int installed = RunChild("\"" + package + "\" /Q:A \"/L:" + installLog + "\"");
        int tested = RunChild("\"" + package + "\" /T /Q \"/L:" + testLog + "\"");
        std::string installSaid = ErrorIn(ReadWholeFile(installLog)),
                    testSaid = ErrorIn(ReadWholeFile(testLog));
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
