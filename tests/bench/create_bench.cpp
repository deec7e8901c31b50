// Times the steps of one Create on the real main dialog, without its two
// dialogs (they wait for the user, not for work): create_bench OUTPUT SPAN
// FOLDER... (SPAN 1 cuts the package into pieces). The start program
// choice is timed for the work its dialog does before it is shown: listing
// the archive's programs. Prints "step seconds" lines for
// tools/bench-create, which sets them beside zip and cat on the same bytes.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "executable_entries.h"
#include "package_writers.h"
#include "path_helpers.h"
#include "setup_list.h"
#include "shell.h"
#include "spanning.h"
#include "stub_files.h"
#include "working_values.h"
#include "zip_job.h"

namespace {

double Now() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) / double(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: create_bench OUTPUT SPAN FOLDER...\n");
        return 2;
    }
    StubFiles stubs;
    CreateMainDialog(GetModuleHandleA(nullptr));
    AddSetupFolders(TheShell.setupList, std::vector<std::string>(argv + 3, argv + argc));
    OutputPath = argv[1];
    ArchivePath = FolderPart(OutputPath) + BaseNamePart(OutputPath) + ".zip";
    IntermediatePath = FolderPart(OutputPath) + ShortPrefix(BaseNamePart(OutputPath)) + "Plus.exe";

    double start = Now(), mark = start;
    auto step = [&](const char* name) {
        const double now = Now();
        std::printf("%s %.3f\n", name, now - mark);
        mark = now;
    };
    std::string lastEntryName;
    if (ZipSetupList(lastEntryName) != 0) return 1;
    step("zip");
    ExecutableEntries();
    step("choice");
    InstallExecutable = "SETUP.EXE";
    if (!WriteInnerExecutable() || !MarkInnerExecutable(OutputPath)) return 1;
    step("inner");
    if (!MoveFileA(OutputPath.c_str(), IntermediatePath.c_str()) || !WritePackage(lastEntryName))
        return 1;
    DeleteFileA(IntermediatePath.c_str());
    step("package");
    if (argv[2][0] == '1') {
        SpanPackage();
        step("span");
    }
    std::printf("whole %.3f\n", Now() - start);
    return 0;
}
