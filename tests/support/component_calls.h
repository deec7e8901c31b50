// Calling the zip component the way its callers do, for tests: texts it
// returns are checked for their ownership and freed, numbers passed by
// reference.
#ifndef TESTS_SUPPORT_COMPONENT_CALLS_H
#define TESTS_SUPPORT_COMPONENT_CALLS_H

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

// Takes a text the component returned, checking that it was handed over as
// its interface says (LocalAlloc on Windows, malloc natively; caller frees).
std::string Take(char* text);

std::string Message(int16_t number);

// Zzip with the options and password the program passes unless told others.
int32_t Zip(const std::string& archive, const std::string& pattern, int32_t level = -1,
            const std::string& options = " -whs", const std::string& password = "");

// ZipCount, then Zipped for every index up to the count.
std::vector<std::string> Listing(const std::string& archive);

void SetRetries(int16_t tries, int32_t seconds);
void SetDepth(int16_t depth);

// Bytes in use on the heap the component's texts come from.
size_t HeapBytesInUse();

// The number of worker threads the following calls use (the environment's
// MVWRAP_THREADS), or the component's own choice for null.
void SetThreads(const char* count);

#endif
