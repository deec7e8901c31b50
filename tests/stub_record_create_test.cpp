// Packages whose records are full: long start program names, passwords
// beside them and piece counts over them, made by the real builder around
// the real stubs and run under Wine as a child process; the packages Create
// must refuse; /T on a package whose inner stub or record was changed; and
// packages of more than 2 GiB, up to the longest Create writes, made sparse.
// This test program runs beside the real stubs, as the builder does.
#include <gtest/gtest.h>

#include <windows.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "dialog_driver.h"
#include "main_dialog_fixture.h"
#include "package_constants.h"
#include "resource.h"
#include "setup_list.h"
#include "spanning.h"
#include "stub_packages.h"
#include "temp_dir.h"

namespace {

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// VNPMAKE's exit code; what it wrote to standard error in err.
int RunBuilder(const std::string& folder, const std::string& arguments, std::string& err) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    const std::string errPath = folder + "\\builder.err";
    HANDLE errFile = CreateFileA(errPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                 CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdError = errFile;
    PROCESS_INFORMATION process = {};
    std::string line = Quoted(WinePath(VNPMAKE_UNIX_PATH)) + " " + arguments;
    DWORD code = 99;
    if (CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(),
                       &startup, &process)) {
        if (WaitForSingleObject(process.hProcess, 120000) != WAIT_OBJECT_0)
            TerminateProcess(process.hProcess, 99);
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(errFile);
    err = ReadWholeFile(errPath);
    DeleteFileA(errPath.c_str());
    return int(code);
}

struct RecordCase {
    const char* name;
    const char* start;  // where the probe lies in the setup folder
    bool span;
    const char* password;
    size_t noise;         // bytes of incompressible data beside it
    bool exactlyAPiece;   // the whole package made exactly 1,430,000 bytes long
    const char* decoy;    // another program in the setup folder, or empty
    const char* refusal;  // a part of the builder's message when it must refuse
    const char* warning;  // a part of its standard error when it must warn
};

void PrintTo(const RecordCase& c, std::ostream* out) { *out << c.name; }

class RecordPackage : public testing::Test {
protected:
    void SetUp() override {
        SetEnvironmentVariableA("VNP_PROBE_LOG", (temp_ / "probe.log").c_str());
        SetEnvironmentVariableA("VNP_PROBE_EXIT", "42");
        temp_.MakeFolder("out");
    }

    // The builder's run over the setup folder DISK1; its exit code.
    int Build(const RecordCase& c, size_t noise, std::string& err) {
        temp_.MakeFile(std::string("DISK1\\") + c.start, ProbeProgram());
        temp_.MakeFile("DISK1\\README.TXT", "Read me.");
        temp_.MakeFile("DISK1\\DATA.CAB", Noise(noise));
        if (*c.decoy) temp_.MakeFile(std::string("DISK1\\") + c.decoy, "MZ decoy");
        std::string line = std::string(c.span ? "/SPAN " : "") + "/START:" + c.start +
                           (*c.password ? std::string(" /PASSWORD:") + c.password : "") + " " +
                           Quoted(Output()) + " " + Quoted(temp_ / "DISK1");
        return RunBuilder(temp_.Path(), line, err);
    }

    std::string Output() const { return temp_ / "out\\Setup.exe"; }
    std::string Log() const { return ReadWholeFile(temp_ / "run.log"); }
    std::string LogSwitch() const { return " \"/L:" + (temp_ / "run.log") + "\""; }

    TempDir temp_;
};

class FullRecord : public RecordPackage, public testing::WithParamInterface<RecordCase> {};

TEST_P(FullRecord, InstallsItsStartProgramOrIsRefusedBeforeAnythingIsWritten) {
    const RecordCase& c = GetParam();
    std::string err;
    int built = Build(c, c.noise, err);
    if (c.exactlyAPiece && built == 0) {
        // Stored noise grows the package byte for byte.
        const size_t length = ReadWholeFile(Output()).size();
        ASSERT_TRUE(DeleteFileA(Output().c_str()));
        built = Build(c, c.noise + PieceSize - length, err);
        ASSERT_EQ(ReadWholeFile(Output()).size(), PieceSize);
    }
    if (*c.refusal) {
        EXPECT_EQ(built, 1);
        EXPECT_NE(err.find(c.refusal), std::string::npos) << err;
        EXPECT_FALSE(Exists(Output()));
        EXPECT_FALSE(Exists(PieceName(Output(), 1)));
        return;
    }
    ASSERT_EQ(built, 0) << err;
    if (*c.warning)
        EXPECT_NE(err.find(c.warning), std::string::npos) << err;
    else
        EXPECT_EQ(err, "");
    const std::string package = c.span ? PieceName(Output(), 1) : Output();

    EXPECT_EQ(RunChild(Quoted(package) + " /T /Q" + LogSwitch()), 0) << Log();
    EXPECT_NE(Log().find("The package is complete."), std::string::npos) << Log();

    if (*c.password) {
        EXPECT_EQ(RunChild(Quoted(package) + " /Q:A /P:wrong" + LogSwitch(), nullptr, 30000), 1);
        EXPECT_FALSE(Exists(temp_ / "probe.log"));
    }
    // The record keeps the password's first 21 characters.
    const std::string given = *c.password ? " /P:" + std::string(c.password).substr(0, 21) : "";
    const std::string target = temp_ / "target";
    EXPECT_EQ(RunChild(Quoted(package) + " /Q:A" + given + " \"/X:" + target + "\"" + LogSwitch(),
                       nullptr, 30000),
              0)
        << Log();
    EXPECT_EQ(ReadWholeFile(target + "\\" + c.start), ProbeProgram());
    EXPECT_EQ(RunChild(Quoted(package) + " /Q" + given), 42);
    const std::string probe = ReadWholeFile(temp_ / "probe.log");
    EXPECT_NE(probe.find(std::string("FILES\\") + c.start + "\""), std::string::npos) << probe;
    for (const std::string& file :
         {std::string("file=") + c.start + " " + std::to_string(ProbeProgram().size()),
          std::string("file=README.TXT 8"), std::string("file=DATA.CAB ")})
        EXPECT_NE(probe.find(file), std::string::npos) << file << " in\n" << probe;
}

const char kStart31[] = "INSTALL\\ENGLISH\\WIN32\\SETUP.EXE";
const char kStart47[] = "INSTALL\\ENGLISH\\WIN32\\SETUPPROGRAMS\\INSTALL.EXE";

INSTANTIATE_TEST_SUITE_P(
    Stub, FullRecord,
    testing::Values(
        RecordCase{"Spanned31", kStart31, true, "", 1600000, false, "", "", ""},
        RecordCase{"Spanned47", kStart47, true, "", 1600000, false, "INSTALL\\A.EXE", "", ""},
        RecordCase{"Whole20WithPassword", "DISK\\WIN32\\SETUP.EXE", false, "pw", 50000, false, "",
                   "", ""},
        RecordCase{"WholeOfAPiece13Digits", "SETUP.EXE", false, "abcdefghij123", 1000000, true, "",
                   "", ""},
        RecordCase{"Spanned13Digits", "SETUP.EXE", true, "abcdefghij123", 1600000, false, "", "",
                   ""},
        RecordCase{"Password39", "SETUP.EXE", false, "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLM",
                   50000, false, "", "", "only the first 21 characters of the password"},
        RecordCase{"NameOverThePassword", kStart31, false, "pw", 50000, false, "",
                   "with a password it may have at most 20", ""},
        RecordCase{"AmbiguousWhereTheCountStands", kStart31, true, "", 1600000, false,
                   "INSTALL\\ENGLISH\\WIN32\\SETUP.EXF", "cannot name the start program", ""}),
    [](const testing::TestParamInfo<RecordCase>& info) { return info.param.name; });

// The window's Create refuses the same records with a box, before it
// writes anything.
class WindowRecord : public MainDialogTest {
protected:
    TempDir source, out;
};

TEST_F(WindowRecord, RefusesARecordThatWouldNotReadBack) {
    struct Case {
        const char* password;
        bool span;
        const char* decoy;
        const char* said;
    };
    for (const Case& c :
         {Case{"pw", false, "", "with a password it may have at most 20"},
          Case{"", true, "INSTALL\\ENGLISH\\WIN32\\SETUP.EXF", "cannot name the start program"}}) {
        SCOPED_TRACE(c.said);
        TempDir disk;
        disk.MakeFile(std::string("DISK1\\") + kStart31, ProbeProgram());
        if (*c.decoy) disk.MakeFile(std::string("DISK1\\") + c.decoy, "MZ decoy");
        SendMessageA(TheShell.setupList, LB_RESETCONTENT, 0, 0);
        AddSetupFolders(TheShell.setupList, {disk / "DISK1"});
        SendMessageA(TheShell.spanCheckBox, BM_SETCHECK, c.span ? BST_CHECKED : BST_UNCHECKED, 0);
        SetWindowTextA(TheShell.passwordField, c.password);
        const std::string output = out / "Setup.exe";
        DialogAnswerer open("Select the Vornaly executable", IDOK,
                            [&](HWND dialog) { SetDlgItemTextA(dialog, 0x47C, output.c_str()); });
        DialogAnswerer box("Vornaly");
        Click(IDC_CREATE);
        open.Join();
        box.Join();
        EXPECT_NE(box.Text().find(c.said), std::string::npos) << box.Text();
        EXPECT_FALSE(Exists(output));
        EXPECT_FALSE(Exists(PieceName(output, 1)));
    }
}

// /T on a package made whole by the builder and then changed.
struct DamageCase {
    const char* name;
    long long offset;  // from the inner executable's start
    std::string bytes;
    const char* said;
};

TEST_F(RecordPackage, ChangedInnerStubOrStartProgramIsNotCompleteUnderTest) {
    const RecordCase plain{"", "SETUP.EXE", false, "", 50000, false, "", "", ""};
    std::string err;
    ASSERT_EQ(Build(plain, plain.noise, err), 0) << err;
    const std::string original = ReadWholeFile(Output());
    const size_t inner = InnerOffset(OuterStub().size());
    const std::vector<DamageCase> cases = {
        // A byte of the inner stub's code, and one of its padding.
        {"ProgramByte", 0x1000, "\x90", "its unpacking program has changed"},
        {"PaddingByte", InnerStubLength - 10, "x", "its unpacking program has changed"},
        // The record's start program: no archived name.
        {"NoArchivedStart", -static_cast<long long>(RecordLength - RecordExecutableOffset),
         "NOSUCH.EXE", "that this package names is not among its files"}};
    for (const DamageCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::string changed = original;
        changed.replace(size_t(static_cast<long long>(inner) + c.offset), c.bytes.size(), c.bytes);
        ASSERT_NE(changed, original);
        WriteBytes(Output(), changed);
        DeleteFileA((temp_ / "run.log").c_str());
        EXPECT_EQ(RunChild(Quoted(Output()) + " /T /Q" + LogSwitch()), 1);
        EXPECT_NE(Log().find(c.said), std::string::npos) << Log();
    }
}

// A stored entry's local header and data, and its directory record.
void AddEntry(const std::string& name, const std::string& data, uint32_t at, std::string& local,
              std::string& central) {
    std::string fields;
    Put16(fields, 10);
    Put16(fields, 0);
    Put16(fields, 0);
    Put16(fields, 0x6000);
    Put16(fields, 0x2c43);
    Put32(fields, crc32(0, reinterpret_cast<const Bytef*>(data.data()), uInt(data.size())));
    Put32(fields, uint32_t(data.size()));
    Put32(fields, uint32_t(data.size()));
    Put16(fields, uint32_t(name.size()));
    Put16(fields, 0);
    local += "PK\3\4" + fields + name + data;
    central += "PK\1\2";
    Put16(central, 20);
    central += fields;
    Put16(central, 0);
    Put16(central, 0);
    Put16(central, 0);
    Put32(central, 0);
    Put32(central, at);
    central += name;
}

const char kSparseRecordEntry[] = "LATE.TXT";

// A whole package of exactly length bytes (or, with innerOnly, the inner
// executable alone): its archive holds the start program first and a small
// file last, beyond an unwritten gap that the file system keeps sparse, so
// that the directory, the last entry and the end record lie past 2 GiB.
void WriteSparsePackage(const std::string& path, uint64_t length, bool innerOnly) {
    std::string first, last, central, end = "PK\5\6";
    AddEntry("SETUP.EXE", ProbeProgram(), 0, first, central);
    std::string masked = first;
    masked.replace(0, 2, "ZS");
    const std::string front = innerOnly
                                  ? InnerStub() + masked
                                  : TestPackage(OuterStub(), InnerStub(), first,
                                                TestRecord(kSparseRecordEntry, "", "SETUP.EXE"));
    const uint64_t archiveStart = front.size() - first.size();
    // The last entry's place follows from the length of what comes after it.
    std::string sizing;
    AddEntry(kSparseRecordEntry, "written late", 0, last, sizing);
    const uint64_t lastAt = length - (last.size() + central.size() + sizing.size() + 22);
    last.clear();
    AddEntry(kSparseRecordEntry, "written late", uint32_t(lastAt - archiveStart), last, central);
    Put16(end, 0);
    Put16(end, 0);
    Put16(end, 2);
    Put16(end, 2);
    Put32(end, uint32_t(central.size()));
    Put32(end, uint32_t(lastAt + last.size() - archiveStart));
    Put16(end, 0);
    const std::string back = last + central + end;
    ASSERT_EQ(lastAt + back.size(), length);

    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, front.data(), DWORD(front.size()), &written, nullptr);
    LONG high = LONG(lastAt >> 32);
    SetFilePointer(file, LONG(uint32_t(lastAt)), &high, FILE_BEGIN);
    WriteFile(file, back.data(), DWORD(back.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, back.size());
}

std::string Hex(const std::string& bytes) {
    std::string hex;
    for (unsigned char c : bytes) {
        hex += "0123456789ABCDEF"[c >> 4];
        hex += "0123456789ABCDEF"[c & 15];
    }
    return hex;
}

// The outer stub tests such a package; the inner stub, started as the
// outer one starts it, extracts its last file. (A whole install would copy
// gigabytes to the temporary folder first.)
TEST_F(RecordPackage, PackagesPast2GiBAreReadToTheirEnd) {
    for (uint64_t length : {uint64_t(2300000000u), uint64_t(LongestPackage)}) {
        SCOPED_TRACE(length);
        const std::string package = temp_ / "out\\Large.exe";
        WriteSparsePackage(package, length, false);
        DeleteFileA((temp_ / "run.log").c_str());
        EXPECT_EQ(RunChild(Quoted(package) + " /T /Q" + LogSwitch()), 0) << Log();
        EXPECT_NE(Log().find("Tested LATE.TXT (12 bytes)"), std::string::npos) << Log();
        DeleteFileA(package.c_str());

        const std::string inner = temp_ / "out\\VNPINNER.EXE", target = temp_ / "target";
        WriteSparsePackage(inner, length - InnerOffset(OuterStub().size()), true);
        EXPECT_EQ(
            RunChild(Quoted(inner) + " /R:" + Hex(TestRecord(kSparseRecordEntry, "", "SETUP.EXE")) +
                     " \"/D:" + target + "\" /X /A" + LogSwitch()),
            0)
            << Log();
        EXPECT_EQ(ReadWholeFile(target + "\\LATE.TXT"), "written late");
        DeleteFileA(inner.c_str());
    }
}

}  // namespace
