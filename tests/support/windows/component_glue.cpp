// Where the component's calls meet Windows in the tests: the texts it
// returns are LocalAlloc's, freed with LocalFree, from the process heap;
// the thread count it reads is in the process's environment.
#include <gtest/gtest.h>
#include <windows.h>

#include "component_calls.h"

std::string Take(char* text) {
    EXPECT_NE(text, nullptr);
    if (!text) return "";
    EXPECT_EQ(LocalHandle(text), static_cast<HLOCAL>(text));
    std::string copy = text;
    EXPECT_EQ(LocalFree(text), nullptr);
    return copy;
}

size_t HeapBytesInUse() {
    PROCESS_HEAP_ENTRY entry;
    entry.lpData = nullptr;
    size_t total = 0;
    HANDLE heap = GetProcessHeap();
    HeapLock(heap);
    while (HeapWalk(heap, &entry))
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) total += entry.cbData;
    HeapUnlock(heap);
    return total;
}

void SetThreads(const char* count) { SetEnvironmentVariableA("MVWRAP_THREADS", count); }
