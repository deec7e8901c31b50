// Windows' error codes as file-error numbers.
#include "file_errors.h"

#include <windows.h>

namespace {

struct Mapping {
    uint32_t platformError;
    int number;
};

// Platform errors below 40; every one from 40 on is a path/file access error.
constexpr Mapping Mappings[] = {
    {1, 75},  {2, 53},   {3, 76},  {4, 67},  {5, 75},  {6, 51},  {7, 241}, {8, 7},
    {9, 241}, {10, 241}, {11, 51}, {12, 51}, {13, 51}, {14, 7},  {15, 68}, {16, 75},
    {17, 74}, {18, 53},  {19, 70}, {20, 68}, {21, 71}, {22, 51}, {23, 72}, {24, 51},
    {25, 72}, {26, 72},  {27, 72}, {28, 27}, {29, 72}, {30, 72}, {31, 72}, {32, 70},
    {33, 70}, {34, 72},  {35, 75}, {36, 70}, {37, 75}, {38, 62}, {39, 61},
};

}  // namespace

int FileErrorNumber(uint32_t platformError) {
    if (platformError >= 40) return ErrPathFileAccess;
    for (const Mapping& m : Mappings)
        if (m.platformError == platformError) return m.number;
    return ErrInternal;
}

uint32_t LastPlatformError() { return GetLastError(); }
