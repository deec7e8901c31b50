#include "stub_packages.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>

#include "process_start.h"
#include "temp_dir.h"

void Put16(std::string& out, uint32_t value) {
    out += char(value & 0xff);
    out += char(value >> 8 & 0xff);
}
void Put32(std::string& out, uint32_t value) {
    Put16(out, value & 0xffff);
    Put16(out, value >> 16);
}

namespace {}  // namespace

std::string TestRecord(const std::string& entryName, const std::string& password,
                       const std::string& startProgram) {
    std::string record = (entryName + std::string(100, ' ')).substr(0, 100);
    if (!password.empty())
        record.replace(79, std::min<size_t>(password.size(), 21), password.substr(0, 21));
    if (!startProgram.empty())
        record.replace(59, std::min<size_t>(startProgram.size(), 41), startProgram.substr(0, 41));
    return record;
}

std::string TestPackage(const std::string& outerStub, const std::string& innerStub,
                        const std::string& archive, const std::string& record) {
    std::string masked = archive;
    masked[0] = 'Z';
    masked[1] = 'S';
    return outerStub + std::string(394, '\0') + "MORVASX998" + outerStub + "MORVASX998" +
           "MELKOP1998" + record + innerStub + masked;
}

std::vector<std::string> TestPieces(std::string package, size_t recordOffset) {
    const size_t kPiece = 1430000;
    size_t count = (package.size() + kPiece - 1) / kPiece;
    char digits[8];
    snprintf(digits, sizeof digits, "%03u", unsigned(count));
    package.replace(recordOffset + 89, 3, digits);
    std::vector<std::string> pieces;
    for (size_t at = 0; at < package.size(); at += kPiece)
        pieces.push_back(package.substr(at, kPiece));
    return pieces;
}

std::string StoredZip(const std::vector<std::pair<std::string, std::string>>& entries) {
    std::string out, central;
    for (const auto& entry : entries) {
        uint32_t crc = crc32(0, reinterpret_cast<const Bytef*>(entry.second.data()),
                             uInt(entry.second.size()));
        uint32_t offset = uint32_t(out.size());
        std::string fields;
        Put16(fields, 10);      // version needed
        Put16(fields, 0);       // flags
        Put16(fields, 0);       // stored
        Put16(fields, 0x6000);  // 12:00
        Put16(fields, 0x2c43);  // 2002-02-03
        Put32(fields, crc);
        Put32(fields, uint32_t(entry.second.size()));
        Put32(fields, uint32_t(entry.second.size()));
        Put16(fields, uint32_t(entry.first.size()));
        Put16(fields, 0);  // extra
        out += "PK\3\4" + fields + entry.first + entry.second;
        central += "PK\1\2";
        Put16(central, 20);
        central += fields;
        Put16(central, 0);  // comment
        Put16(central, 0);  // disk
        Put16(central, 0);  // internal attributes
        Put32(central, 0);  // external attributes
        Put32(central, offset);
        central += entry.first;
    }
    uint32_t centralAt = uint32_t(out.size());
    out += central + "PK\5\6";
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, uint32_t(entries.size()));
    Put16(out, uint32_t(entries.size()));
    Put32(out, uint32_t(central.size()));
    Put32(out, centralAt);
    Put16(out, 0);
    return out;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, bytes.size()) << path;
}

std::string OuterStub() { return ReadWholeFile(WinePath(VORNALY_DIST_UNIX_PATH "/Install.vnp")); }
std::string InnerStub() { return ReadWholeFile(WinePath(VORNALY_DIST_UNIX_PATH "/Vornaly.vnp")); }
std::string ProbeProgram() { return ReadWholeFile(WinePath(STUB_PROBE_UNIX_PATH)); }

namespace {

// The job of the child that RunChild runs: only its processes' windows are
// answered, not those of a package another test runs at the same time.
HANDLE childJob = nullptr;

bool InChildJob(DWORD process) {
    if (!childJob) return false;
    HANDLE handle = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, process);
    if (!handle) return false;
    BOOL inJob = FALSE;
    IsProcessInJob(handle, childJob, &inJob);
    CloseHandle(handle);
    return inJob != FALSE;
}

struct DialogSearch {
    const char* caption;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM parameter) {
    DialogSearch* search = reinterpret_cast<DialogSearch*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[32] = {}, title[256] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title);
    if (!strcmp(className, "#32770") && !strcmp(title, search->caption) &&
        IsWindowVisible(window) && InChildJob(process)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND WaitForForeignDialog(const char* caption, DWORD timeoutMs) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        DialogSearch search = {caption, nullptr};
        EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(50);
    }
    return nullptr;
}

std::string BoxText(HWND box) {
    char text[1024] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    return text;
}

namespace {

BOOL CALLBACK ListChildWindow(HWND window, LPARAM parameter) {
    auto* seen = reinterpret_cast<std::vector<std::string>*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (!IsWindowVisible(window) || !InChildJob(process)) return TRUE;
    char className[64] = {}, title[256] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title);
    std::string entry = std::string(className) + ": " + title;
    if (std::find(seen->begin(), seen->end(), entry) == seen->end()) seen->push_back(entry);
    return TRUE;
}

bool ChildRunning() {
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting = {};
    return childJob &&
           QueryInformationJobObject(childJob, JobObjectBasicAccountingInformation, &accounting,
                                     sizeof accounting, nullptr) &&
           accounting.ActiveProcesses > 0;
}

}  // namespace

std::vector<std::string> WatchChildWindows(DWORD timeoutMs) {
    std::vector<std::string> seen;
    for (DWORD waited = 0; waited < timeoutMs; waited += 5) {
        EnumWindows(ListChildWindow, reinterpret_cast<LPARAM>(&seen));
        if (!ChildRunning()) break;
        Sleep(5);
    }
    return seen;
}

int RunChild(const std::string& commandLine, const std::function<void()>& answer, DWORD timeoutMs) {
    // The package starts its inner stub and that the start program: a job
    // holds them all, so that a test that fails leaves none of them behind.
    HANDLE job = CreateJobObjectA(nullptr, nullptr);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string line = commandLine;
    if (!StartProcess(line, FALSE, CREATE_SUSPENDED, nullptr, startup, process)) {
        ADD_FAILURE() << "cannot start " << commandLine << ": error " << GetLastError();
        CloseHandle(job);
        return -1;
    }
    AssignProcessToJobObject(job, process.hProcess);
    childJob = job;
    ResumeThread(process.hThread);
    CloseHandle(process.hThread);
    if (answer) answer();
    int code = -1;
    if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0) {
        DWORD exitCode = 0;
        GetExitCodeProcess(process.hProcess, &exitCode);
        code = int(exitCode);
    } else {
        ADD_FAILURE() << commandLine << " did not end";
    }
    TerminateJobObject(job, 1);
    childJob = nullptr;
    CloseHandle(process.hProcess);
    CloseHandle(job);
    return code;
}

OwnTemporaryFolder::OwnTemporaryFolder(const std::string& folder) {
    had_ = GetEnvironmentVariableA("TMP", old_, sizeof old_) != 0;
    SetEnvironmentVariableA("TMP", folder.c_str());
}

OwnTemporaryFolder::~OwnTemporaryFolder() { SetEnvironmentVariableA("TMP", had_ ? old_ : nullptr); }
