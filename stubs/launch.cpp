// Launching the start program (see launch.h).
#include "launch.h"

#include "dll_search.h"
#include "file_io.h"
#include "platform.h"
#include "program_job.h"
#include "program_kind.h"
#include "stub_messages.h"
#include "stub_paths.h"

namespace stub {

namespace {

using ShellExecuteExFunction = BOOL(WINAPI*)(SHELLEXECUTEINFOA*);
using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, PBOOL);

bool SixtyFourBitWindows() {
    if (sizeof(void*) == 8) return true;
    // Windows XP SP2 and later; an older 32-bit system is a 32-bit Windows.
    IsWow64ProcessFunction isWow64 =
        reinterpret_cast<IsWow64ProcessFunction>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("KERNEL32.DLL"), "IsWow64Process")));
    BOOL wow64 = FALSE;
    return isWow64 && isWow64(GetCurrentProcess(), &wow64) && wow64;
}

// The shell's elevating start, loaded from the system folder when a start
// first needs it.
BOOL WINAPI ShellExecuteExFromSystem(SHELLEXECUTEINFOA* info) {
    static ShellExecuteExFunction function = nullptr;
    if (!function) {
        HMODULE shell = LoadSystemLibrary("SHELL32.DLL");
        if (shell)
            function = reinterpret_cast<ShellExecuteExFunction>(
                reinterpret_cast<void*>(GetProcAddress(shell, "ShellExecuteExA")));
    }
    if (!function) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return FALSE;
    }
    return function(info);
}

ProgramKind KindOfFile(const char* path) {
    FileSource file(path);
    uint8_t head[kProgramHeadLength];
    uint32_t length = file.Size() < sizeof head ? file.Size() : uint32_t(sizeof head);
    if (!file.Open() || !file.Read(0, head, length)) return ProgramKind::kUnknown;
    return KindOfProgram(head, length, file.Size());
}

// Waits until the start program and every program it started have ended:
// setup programs often hand over to a second program and end at once, and
// the extracted files must stay until that one is done too. The Windows 95
// line finds those programs by their parent, so they are looked for while
// the start program runs too. Without either (NT 4.0, or this process is in
// a job that allows none inside), only the start program is waited for.
void WaitForPrograms(ProgramJob& job, HANDLE process) {
    while (WaitForSingleObject(process, 200) == WAIT_TIMEOUT) job.Running();
    while (job.Running()) Sleep(200);
}

int EndedWith(HANDLE process, const char* name) {
    DWORD code = DWORD(kExitFailed);
    GetExitCodeProcess(process, &code);
    CloseHandle(process);
    LogLine("%s ended with exit code %lu.", name, code);
    return int(code);
}

// The elevated program runs with rights this process lacks: it cannot be
// taken into this process's job, so it alone is waited for.
int RunElevated(const char* path, const char* folder, const char* name, const LaunchCalls& calls,
                bool& filesInUse) {
    LogLine("%s needs administrator rights; asking for them.", name);
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpVerb = "runas";
    info.lpFile = path;
    info.lpDirectory = folder;
    info.nShow = SW_SHOWNORMAL;
    if (!calls.shellExecuteEx(&info)) {
        DWORD error = GetLastError();
        if (error == ERROR_CANCELLED) {
            LogLine("The administrator rights for %s were not given.", name);
            return kExitCancelled;
        }
        ShowError("The installation program %s could not be started (error %lu).", path, error);
        return kExitFailed;
    }
    if (!info.hProcess) {
        // Handed to a program that was running already, or started without a
        // process to wait for: it may use the files for as long as it runs.
        filesInUse = true;
        LogLine(
            "%s was started with administrator rights without a process to wait for: its files "
            "stay until the next restart.",
            name);
        return kExitStillRunning;
    }
    WaitForSingleObject(info.hProcess, INFINITE);
    return EndedWith(info.hProcess, name);
}

}  // namespace

LaunchCalls SystemLaunchCalls() {
    LaunchCalls calls;
    calls.createProcess = CreateProcessA;
    calls.shellExecuteEx = ShellExecuteExFromSystem;
    calls.sixtyFourBitWindows = SixtyFourBitWindows();
    return calls;
}

StartFailure AfterFailedStart(DWORD error, bool noWindows, bool canElevate) {
    if (error != kErrorElevationRequired) return StartFailure::kReport;
    if (noWindows) return StartFailure::kNeedsAdministrator;
    return canElevate ? StartFailure::kElevate : StartFailure::kReport;
}

int RunStartProgram(const char* folder, const char* name, bool noWindows, const LaunchCalls& calls,
                    bool& filesInUse) {
    filesInUse = false;
    char path[MAX_PATH], commandLine[MAX_PATH + 2];
    if (!JoinPath(folder, name, path)) {
        ShowError("The path of the installation program %s in %s is too long.", name, folder);
        return kExitFailed;
    }
    if (CannotRunHere(KindOfFile(path), calls.sixtyFourBitWindows)) {
        ShowError(
            "%s is a 16-bit program, and this version of Windows cannot run 16-bit programs. "
            "Nothing was installed. /X:folder still extracts the files, to use them elsewhere.",
            name);
        return kExitFailed;
    }
    wsprintfA(commandLine, "\"%s\"", path);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    LogLine("Starting %s", path);
    BOOL started;
    {
        UsualDllSearchForChildren usualSearch;
        started = calls.createProcess(path, commandLine, nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                                      nullptr, folder, &startup, &process);
    }
    if (!started) {
        DWORD error = GetLastError();
        switch (AfterFailedStart(error, noWindows, calls.shellExecuteEx != nullptr)) {
        case StartFailure::kElevate: return RunElevated(path, folder, name, calls, filesInUse);
        case StartFailure::kNeedsAdministrator:
            ShowError(
                "The package must be run with administrator rights: its installation program %s "
                "needs them. Nothing was installed.",
                name);
            return kExitElevationRequired;
        case StartFailure::kReport: break;
        }
        ShowError("The installation program %s could not be started (error %lu).", path, error);
        return kExitFailed;
    }
    ProgramJob job(process.hProcess, process.dwProcessId);
    ResumeThread(process.hThread);
    CloseHandle(process.hThread);
    WaitForPrograms(job, process.hProcess);
    return EndedWith(process.hProcess, name);
}

}  // namespace stub
