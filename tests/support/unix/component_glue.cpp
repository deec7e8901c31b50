// Where the component's calls meet Linux in the tests: the texts it returns
// are malloc's, freed with free (under the address sanitizer, its own count
// of the bytes in use stands in for the C library's, which then sees none
// of them); the thread count it reads is in the environment.
#include <gtest/gtest.h>
#include <malloc.h>
#include <stdlib.h>
#include <string.h>

#include "component_calls.h"

extern "C" size_t __sanitizer_get_current_allocated_bytes() __attribute__((weak));

std::string Take(char* text) {
    EXPECT_NE(text, nullptr);
    if (!text) return "";
    std::string copy = text;
    EXPECT_GE(malloc_usable_size(text), copy.size() + 1);
    free(text);
    return copy;
}

size_t HeapBytesInUse() {
    if (__sanitizer_get_current_allocated_bytes) return __sanitizer_get_current_allocated_bytes();
    return mallinfo2().uordblks;
}

void SetThreads(const char* count) {
    if (count)
        setenv("MVWRAP_THREADS", count, 1);
    else
        unsetenv("MVWRAP_THREADS");
}
