// The GetTickCount64 that the shipped binaries link instead of importing it:
// calls through the import slot reach a working count of milliseconds.
#include <gtest/gtest.h>

#include <windows.h>

namespace {

TEST(TickCount64, CountsTheSameMillisecondsAsGetTickCount) {
    ULONGLONG previous = 0;
    for (int i = 0; i < 3; ++i) {
        DWORD before = GetTickCount();
        ULONGLONG ticks = GetTickCount64();
        DWORD after = GetTickCount();
        EXPECT_GE(ticks, previous);
        EXPECT_LE(static_cast<DWORD>(ticks) - before, after - before);
        previous = ticks;
        Sleep(20);
    }
}

}  // namespace
