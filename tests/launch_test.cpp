// Starting the start program on today's Windows, in-process through the
// stubs' own start: the platform calls are the real ones where Wine can show
// the path (a normal start, the shell's elevating start) and stand-ins where
// it never can (error 740 from CreateProcessA, a cancelled elevation prompt,
// a 64-bit Windows under a 32-bit Wine). And the kinds of programs, read
// from headers built here.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "program_kind.h"
#include "launch.h"
#include "stub_messages.h"
#include "stub_packages.h"
#include "temp_dir.h"

namespace {

using stub::LaunchCalls;

// What the stand-ins were asked, and what they answer.
int createCalls = 0, shellCalls = 0;
DWORD createError = 0, shellError = 0;
std::string shellVerb, shellFolder;

BOOL WINAPI FailingCreateProcess(LPCSTR, LPSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL,
                                 DWORD, LPVOID, LPCSTR, LPSTARTUPINFOA, LPPROCESS_INFORMATION) {
    ++createCalls;
    SetLastError(createError);
    return FALSE;
}

BOOL WINAPI CountedCreateProcess(LPCSTR application, LPSTR line, LPSECURITY_ATTRIBUTES process,
                                 LPSECURITY_ATTRIBUTES thread, BOOL inherit, DWORD flags,
                                 LPVOID environment, LPCSTR folder, LPSTARTUPINFOA startup,
                                 LPPROCESS_INFORMATION information) {
    ++createCalls;
    return CreateProcessA(application, line, process, thread, inherit, flags, environment, folder,
                          startup, information);
}

// The shell's real elevating start, counted.
BOOL WINAPI RealShell(SHELLEXECUTEINFOA* info) {
    ++shellCalls;
    shellVerb = info->lpVerb ? info->lpVerb : "";
    shellFolder = info->lpDirectory ? info->lpDirectory : "";
    return stub::SystemLaunchCalls().shellExecuteEx(info);
}

// The shell's start that succeeds without a process handle: the program was
// handed to one that ran already.
BOOL WINAPI HandlelessShell(SHELLEXECUTEINFOA* info) {
    ++shellCalls;
    shellVerb = info->lpVerb ? info->lpVerb : "";
    info->hProcess = nullptr;
    return TRUE;
}

BOOL WINAPI FailingShell(SHELLEXECUTEINFOA* info) {
    ++shellCalls;
    shellVerb = info->lpVerb ? info->lpVerb : "";
    SetLastError(shellError);
    return FALSE;
}

// A program file's first bytes: "MZ", the new header's offset at 0x3C and
// the signature there.
std::string Header(const char* signature, uint32_t at, size_t size = 512) {
    std::string bytes(size, '\0');
    bytes[0] = 'M';
    bytes[1] = 'Z';
    for (int i = 0; i < 4; ++i) bytes[0x3C + i] = char(at >> (8 * i));
    if (signature && at + 4 <= size) memcpy(&bytes[at], signature, 4);
    return bytes;
}

enum class Program { kProbe, kNewExecutable, kDos };
enum class Create { kReal, kFails };
enum class Shell { kReal, kFails, kNone, kNoHandle };

struct StartCase {
    const char* name;
    Program program;
    bool sixtyFourBit;
    Create create;
    DWORD createError;
    Shell shell;
    DWORD shellError;
    bool noWindows;
    int exitCode;
    int createCalls, shellCalls;
    bool probeRuns;
    const char* logged;       // a line of the log the start writes
    bool filesInUse = false;  // the files must stay: the program may use them
};

std::ostream& operator<<(std::ostream& out, const StartCase& c) { return out << c.name; }

class StartProgram : public testing::TestWithParam<StartCase> {};

TEST_P(StartProgram, TakesTheWayItsPlatformLeaves) {
    const StartCase& c = GetParam();
    TempDir temp;
    std::string folder = temp.MakeFolder("FILES");
    switch (c.program) {
    case Program::kProbe: temp.MakeFile("FILES\\SETUP.EXE", ProbeProgram()); break;
    case Program::kNewExecutable: temp.MakeFile("FILES\\SETUP.EXE", Header("NE\0\0", 0x80)); break;
    case Program::kDos: temp.MakeFile("FILES\\SETUP.EXE", Header(nullptr, 0, 300)); break;
    }
    std::string probeLog = temp / "probe.log", log = temp / "package.log";
    SetEnvironmentVariableA("VNP_PROBE_LOG", probeLog.c_str());
    SetEnvironmentVariableA("VNP_PROBE_EXIT", "42");
    stub::SetReporting(true, log.c_str());
    createCalls = shellCalls = 0;
    createError = c.createError;
    shellError = c.shellError;
    shellVerb.clear();
    shellFolder.clear();
    LaunchCalls calls;
    calls.createProcess = c.create == Create::kReal ? CountedCreateProcess : FailingCreateProcess;
    calls.shellExecuteEx = c.shell == Shell::kReal       ? RealShell
                           : c.shell == Shell::kFails    ? FailingShell
                           : c.shell == Shell::kNoHandle ? HandlelessShell
                                                         : nullptr;
    calls.sixtyFourBitWindows = c.sixtyFourBit;

    bool filesInUse = !c.filesInUse;
    int code = stub::RunStartProgram(folder.c_str(), "SETUP.EXE", c.noWindows, calls, filesInUse);
    // The elevated start waits for the program, not for what it started.
    EXPECT_EQ(code, c.exitCode);
    EXPECT_EQ(filesInUse, c.filesInUse);
    EXPECT_EQ(createCalls, c.createCalls);
    EXPECT_EQ(shellCalls, c.shellCalls);
    if (c.shellCalls) {
        EXPECT_EQ(shellVerb, "runas");
    }
    if (c.shell == Shell::kReal && c.shellCalls) {
        EXPECT_EQ(shellFolder, folder);
    }
    std::string probe = ReadWholeFile(probeLog);
    EXPECT_EQ(!probe.empty(), c.probeRuns) << probe;
    if (c.probeRuns) {
        EXPECT_NE(probe.find("folder=" + folder + "\r\n"), std::string::npos) << probe;
    }
    std::string written = ReadWholeFile(log);
    EXPECT_NE(written.find(c.logged), std::string::npos) << written;
    stub::SetReporting(false, nullptr);
}

const char kNeedsRights[] =
    "Error: The package must be run with administrator rights: its installation program "
    "SETUP.EXE needs them. Nothing was installed.";
const char kSixteenBit[] =
    "Error: SETUP.EXE is a 16-bit program, and this version of Windows cannot run 16-bit "
    "programs. Nothing was installed. /X:folder still extracts the files, to use them elsewhere.";

INSTANTIATE_TEST_SUITE_P(
    Ways, StartProgram,
    testing::Values(
        StartCase{"Started", Program::kProbe, false, Create::kReal, 0, Shell::kFails, 0, false, 42,
                  1, 0, true, "SETUP.EXE ended with exit code 42."},
        StartCase{"ElevatedThroughTheShell", Program::kProbe, false, Create::kFails, 740,
                  Shell::kReal, 0, false, 42, 1, 1, true, "SETUP.EXE ended with exit code 42."},
        StartCase{"ElevatedWithoutAProcessToWaitFor", Program::kProbe, false, Create::kFails, 740,
                  Shell::kNoHandle, 0, false, 259, 1, 1, false,
                  "SETUP.EXE was started with administrator rights without a process to wait "
                  "for: its files stay until the next restart.",
                  true},
        StartCase{"ElevationCancelled", Program::kProbe, false, Create::kFails, 740, Shell::kFails,
                  ERROR_CANCELLED, false, 1223, 1, 1, false,
                  "The administrator rights for SETUP.EXE were not given."},
        StartCase{"ElevationFails", Program::kProbe, false, Create::kFails, 740, Shell::kFails,
                  ERROR_FILE_NOT_FOUND, false, 1, 1, 1, false, "could not be started (error 2)."},
        StartCase{"NoPromptUnderQA", Program::kProbe, false, Create::kFails, 740, Shell::kReal, 0,
                  true, 740, 1, 0, false, kNeedsRights},
        StartCase{"NoShellToElevate", Program::kProbe, false, Create::kFails, 740, Shell::kNone, 0,
                  false, 1, 1, 0, false, "could not be started (error 740)."},
        StartCase{"OtherErrorsAsBefore", Program::kProbe, false, Create::kFails, 5, Shell::kReal, 0,
                  false, 1, 1, 0, false, "could not be started (error 5)."},
        StartCase{"SixteenBitOn64Bit", Program::kNewExecutable, true, Create::kReal, 0,
                  Shell::kReal, 0, false, 1, 0, 0, false, kSixteenBit},
        StartCase{"DosProgramOn64Bit", Program::kDos, true, Create::kReal, 0, Shell::kReal, 0, true,
                  1, 0, 0, false, kSixteenBit},
        StartCase{"SixteenBitOn32BitIsStarted", Program::kNewExecutable, false, Create::kFails, 193,
                  Shell::kReal, 0, false, 1, 1, 0, false, "could not be started (error 193)."},
        StartCase{"WindowsProgramOn64Bit", Program::kProbe, true, Create::kReal, 0, Shell::kReal, 0,
                  false, 42, 1, 0, true, "SETUP.EXE ended with exit code 42."}),
    [](const testing::TestParamInfo<StartCase>& info) { return std::string(info.param.name); });

// The kinds of program, with a model of the rule written here: "PE\0\0" at
// the new header's offset is a Windows program; any other "MZ" file whose
// new header lies within the bytes read (or which ends before one could
// lie there) is a 16-bit one; no "MZ", or a header beyond the bytes read
// of a longer file, tells nothing.
TEST(ProgramKinds, FromTheirHeaders) {
    using stub::ProgramKind;
    struct Case {
        const char* name;
        std::string head;
        uint32_t fileLength;  // 0: the head is the whole file
        ProgramKind kind;
    };
    std::string dosStubOnly = Header(nullptr, 0, 100);
    const Case cases[] = {
        {"Windows program", Header("PE\0\0", 0x80), 0, ProgramKind::kPortable},
        {"tiny Windows program", Header("PE\0\0", 0x40, 0x44), 0, ProgramKind::kPortable},
        {"16-bit Windows", Header("NE\0\0", 0x80), 0, ProgramKind::kSixteenBit},
        {"virtual device", Header("LE\0\0", 0x80), 0, ProgramKind::kSixteenBit},
        {"DOS, no new header", dosStubOnly, 0, ProgramKind::kSixteenBit},
        {"DOS, offset past its end", Header(nullptr, 5000, 600), 0, ProgramKind::kSixteenBit},
        {"header beyond the head", Header(nullptr, 5000, 4096), 9000, ProgramKind::kUnknown},
        {"shorter than a DOS header", std::string("MZ\x90\0", 4), 0, ProgramKind::kSixteenBit},
        {"cut head of a longer file", std::string("MZ\x90\0", 4), 9000, ProgramKind::kUnknown},
        {"no MZ", std::string(512, 'x'), 0, ProgramKind::kUnknown},
        {"empty", std::string(), 0, ProgramKind::kUnknown},
    };
    for (const Case& c : cases) {
        uint32_t length = uint32_t(c.head.size());
        ProgramKind kind = stub::KindOfProgram(reinterpret_cast<const uint8_t*>(c.head.data()),
                                               length, c.fileLength ? c.fileLength : length);
        EXPECT_EQ(int(kind), int(c.kind)) << c.name;
        for (bool sixtyFour : {false, true})
            EXPECT_EQ(stub::CannotRunHere(kind, sixtyFour),
                      sixtyFour && c.kind == ProgramKind::kSixteenBit)
                << c.name << (sixtyFour ? " on 64-bit" : " on 32-bit");
    }
}

}  // namespace
