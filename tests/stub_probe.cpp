// The start program of test packages. It writes to the file named by the
// environment variable VNP_PROBE_LOG its current folder, its command line
// and the files it finds below that folder (name and size, one a line),
// then exits with the code in VNP_PROBE_EXIT (42 when there is none).
// With VNP_PROBE_ACL set, it also writes the access lists of its current
// folder and of the folder above, as SDDL text ("acl=D:...", "parentacl=").
// With VNP_PROBE_HANDOVER set, it first starts a second copy of itself that
// waits a second and then writes its own log to the file named there, as a
// setup program hands over to another program and ends. The log also shows
// the error mode it was started with (which boxes the platform keeps away).
#include <windows.h>
#include <sddl.h>

#include <stdio.h>
#include <stdlib.h>

#include <string>

namespace {

void ListFiles(FILE* log, const std::string& folder, const std::string& prefix) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            ListFiles(log, folder + "\\" + name, prefix + name + "\\");
        } else {
            fprintf(log, "file=%s%s %lu\n", prefix.c_str(), name.c_str(), found.nFileSizeLow);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

void WriteAccessList(FILE* log, const char* key, const std::string& folder) {
    char descriptor[4096];
    DWORD needed = 0;
    LPSTR text = nullptr;
    if (!GetFileSecurityA(folder.c_str(), DACL_SECURITY_INFORMATION, descriptor, sizeof descriptor,
                          &needed) ||
        !ConvertSecurityDescriptorToStringSecurityDescriptorA(
            descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text, nullptr)) {
        fprintf(log, "%s=error %lu\n", key, GetLastError());
        return;
    }
    fprintf(log, "%s=%s\n", key, text);
    LocalFree(text);
}

}  // namespace

void HandOver(const char* secondLog) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    SetEnvironmentVariableA("VNP_PROBE_LOG", secondLog);
    SetEnvironmentVariableA("VNP_PROBE_HANDOVER", nullptr);
    SetEnvironmentVariableA("VNP_PROBE_DELAY", "1000");
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string commandLine = std::string("\"") + self + "\"";
    if (CreateProcessA(self, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char logPath[MAX_PATH], exitCode[32], folder[MAX_PATH], secondLog[MAX_PATH], delay[32];
    if (GetEnvironmentVariableA("VNP_PROBE_DELAY", delay, sizeof delay))
        Sleep(strtoul(delay, nullptr, 10));
    DWORD code = 42;
    if (GetEnvironmentVariableA("VNP_PROBE_EXIT", exitCode, sizeof exitCode))
        code = strtoul(exitCode, nullptr, 10);
    if (GetEnvironmentVariableA("VNP_PROBE_LOG", logPath, sizeof logPath)) {
        GetCurrentDirectoryA(sizeof folder, folder);
        if (FILE* log = fopen(logPath, "w")) {
            UINT mode = SetErrorMode(0);
            SetErrorMode(mode);
            fprintf(log, "folder=%s\ncommand=%s\nerrormode=%u\n", folder, GetCommandLineA(), mode);
            if (GetEnvironmentVariableA("VNP_PROBE_ACL", nullptr, 0)) {
                WriteAccessList(log, "acl", folder);
                WriteAccessList(log, "parentacl", std::string(folder) + "\\..");
            }
            ListFiles(log, folder, "");
            fclose(log);
        }
    }
    if (GetEnvironmentVariableA("VNP_PROBE_HANDOVER", secondLog, sizeof secondLog))
        HandOver(secondLog);
    return int(code);
}
