// Times one Zzip call of MVWRAP.DLL: zip_bench ARCHIVE PATTERN [LEVEL].
// Prints the seconds the call took, so that tools/bench-zip can compare it
// with other zip programs on the same files; starting the process is left
// out of the figure.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "mvwrap.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: zip_bench ARCHIVE PATTERN [LEVEL]\n");
        return 2;
    }
    const int32_t level = argc > 3 ? std::atoi(argv[3]) : -1;
    const int16_t depth = -1;
    RunMorvane();
    SetSearchLimit(&depth);
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    int32_t result = Zzip(argv[1], argv[2], " -whs", "", &level);
    QueryPerformanceCounter(&end);
    if (result != MVWRAP_OK) {
        int16_t number = static_cast<int16_t>(result);
        char* message = ZipError(&number);
        std::fprintf(stderr, "%s\n", message);
        LocalFree(message);
    }
    StopMorvane();
    std::printf("%.3f\n", double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart));
    return result == MVWRAP_OK ? 0 : 1;
}
