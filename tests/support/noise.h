// Bytes that deflate cannot shrink, the same for the same size. Header only
// and portable, for the tests of both systems.
#ifndef TESTS_SUPPORT_NOISE_H
#define TESTS_SUPPORT_NOISE_H

#include <stddef.h>
#include <stdint.h>

#include <string>

inline std::string Noise(size_t size) {
    std::string bytes(size, '\0');
    uint32_t state = 12345;
    for (char& c : bytes) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 23);
    }
    return bytes;
}

#endif
