// The programs of a start program (see program_job.h).
#include "program_job.h"

#include <tlhelp32.h>

#include "platform.h"
#include "win_handles.h"

namespace stub {

namespace {

using CreateJobObjectFunction = HANDLE(WINAPI*)(LPSECURITY_ATTRIBUTES, LPCSTR);
using AssignProcessFunction = BOOL(WINAPI*)(HANDLE, HANDLE);
using QueryJobFunction = BOOL(WINAPI*)(HANDLE, JOBOBJECTINFOCLASS, LPVOID, DWORD, LPDWORD);
using SnapshotFunction = HANDLE(WINAPI*)(DWORD, DWORD);
using ProcessFunction = BOOL(WINAPI*)(HANDLE, LPPROCESSENTRY32);

struct JobCalls {
    CreateJobObjectFunction createJob = nullptr;
    AssignProcessFunction assignProcess = nullptr;
    QueryJobFunction queryJob = nullptr;
    SnapshotFunction snapshot = nullptr;
    ProcessFunction firstProcess = nullptr;
    ProcessFunction nextProcess = nullptr;
};

template <typename Function>
Function Find(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

JobCalls LookUp() {
    JobCalls calls;
    HMODULE kernel = GetModuleHandleA("KERNEL32.DLL");
    if (Windows95Line()) {
        calls.snapshot = Find<SnapshotFunction>(kernel, "CreateToolhelp32Snapshot");
        calls.firstProcess = Find<ProcessFunction>(kernel, "Process32First");
        calls.nextProcess = Find<ProcessFunction>(kernel, "Process32Next");
        if (!calls.firstProcess || !calls.nextProcess) calls.snapshot = nullptr;
        return calls;
    }
    if (!JobObjectsExpected()) return calls;
    calls.createJob = Find<CreateJobObjectFunction>(kernel, "CreateJobObjectA");
    calls.assignProcess = Find<AssignProcessFunction>(kernel, "AssignProcessToJobObject");
    calls.queryJob = Find<QueryJobFunction>(kernel, "QueryInformationJobObject");
    if (!calls.createJob || !calls.assignProcess || !calls.queryJob) calls.createJob = nullptr;
    return calls;
}

const JobCalls& TheJobCalls() {
    static const JobCalls calls = LookUp();
    return calls;
}

}  // namespace

ProgramJob::ProgramJob(HANDLE process, DWORD processId) {
    const JobCalls& platform = TheJobCalls();
    if (platform.snapshot) known_[knownCount_++] = processId;
    if (!platform.createJob) return;
    job_ = platform.createJob(nullptr, nullptr);
    if (job_ && !platform.assignProcess(job_, process)) {
        CloseHandle(job_);
        job_ = nullptr;
    }
}

ProgramJob::~ProgramJob() {
    if (job_) CloseHandle(job_);
}

bool ProgramJob::Running() {
    const JobCalls& platform = TheJobCalls();
    if (knownCount_) {
        FileHandle list(platform.snapshot(TH32CS_SNAPPROCESS, 0));
        if (!list.valid()) return false;
        PROCESSENTRY32 entry = {};
        entry.dwSize = sizeof entry;
        bool running = false;
        for (BOOL more = platform.firstProcess(list.get(), &entry); more;
             more = platform.nextProcess(list.get(), &entry)) {
            bool known = false, parentKnown = false;
            for (int i = 0; i < knownCount_; ++i) {
                known = known || known_[i] == entry.th32ProcessID;
                parentKnown = parentKnown || known_[i] == entry.th32ParentProcessID;
            }
            if (!known && parentKnown && knownCount_ < kKnownRoom) {
                known_[knownCount_++] = entry.th32ProcessID;
                known = true;
            }
            running = running || known;
        }
        return running;
    }
    if (!job_) return false;
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting = {};
    return platform.queryJob(job_, JobObjectBasicAccountingInformation, &accounting,
                             sizeof accounting, nullptr) &&
           accounting.ActiveProcesses > 0;
}

}  // namespace stub
