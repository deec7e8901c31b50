// Times the Zzip calls of MVWRAP.DLL: zip_bench ARCHIVE PATTERN [LEVEL], or
// zip_bench ARCHIVE @LIST [LEVEL] for one call per pattern in the file LIST
// (one a line) into the same archive, as the zip job calls it once per
// folder. Prints the seconds the calls took, the process's peak memory in
// MB and the processor seconds it used (which show how many cores worked
// when other programs share the machine), so that tools/bench-zip can
// compare them with other zip programs on the same files; starting the
// process is left out of the time.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "mvwrap.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: zip_bench ARCHIVE PATTERN|@LIST [LEVEL]\n");
        return 2;
    }
    std::vector<std::string> patterns;
    if (argv[2][0] == '@') {
        std::ifstream list(argv[2] + 1);
        for (std::string line; std::getline(list, line);)
            if (!line.empty()) patterns.push_back(line);
    } else {
        patterns.push_back(argv[2]);
    }
    const int32_t level = argc > 3 ? std::atoi(argv[3]) : -1;
    const int16_t depth = -1;
    RunMorvane();
    SetSearchLimit(&depth);
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    int32_t result = MVWRAP_OK;
    for (const std::string& pattern : patterns) {
        result = Zzip(argv[1], pattern.c_str(), " -whs", "", &level);
        if (result != MVWRAP_OK) break;
    }
    QueryPerformanceCounter(&end);
    if (result != MVWRAP_OK) {
        int16_t number = static_cast<int16_t>(result);
        char* message = ZipError(&number);
        std::fprintf(stderr, "%s\n", message);
        LocalFree(message);
    }
    StopMorvane();
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& time) {
        return double(uint64_t(time.dwHighDateTime) << 32 | time.dwLowDateTime) / 1e7;
    };
    std::printf("%.3f %.1f %.2f\n",
                double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart),
                double(counters.PeakWorkingSetSize) / (1 << 20), seconds(kernel) + seconds(user));
    return result == MVWRAP_OK ? 0 : 1;
}
