// Packages in the writer's layout around any stub and inner bytes, for the
// tests of spanning and of the package glue.
#ifndef TESTS_SUPPORT_PACKAGE_BYTES_H
#define TESTS_SUPPORT_PACKAGE_BYTES_H

#include <cstdint>
#include <string>

#include "package_constants.h"
#include "package_format.h"

// Letters only: no zero runs and no marker, different for each seed.
inline std::string Letters(size_t size, uint32_t seed) {
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>('A' + (seed >> 16) % 26);
    }
    return bytes;
}

inline std::string Package(const std::string& stub, const std::string& inner) {
    return stub + std::string(StubPadding, '\0') + StubMarker + stub + StubMarker + RecordMarker +
           InstallationRecord("SETUP.EXE", "secret", "SETUP.EXE") + inner;
}

// A package of exactly `length` bytes around a stub of 3,000 bytes.
inline std::string PackageOfLength(uint64_t length) {
    const std::string stub = Letters(3000, 1);
    return Package(stub, Letters(length - RecordOffset(stub.size()) - RecordLength, 2));
}

// The package as its pieces join again: the count written into its record.
inline std::string WithCountAt(std::string package, uint64_t recordOffset, int count) {
    package.replace(recordOffset, RecordLength,
                    WithPieceCount(package.substr(recordOffset, RecordLength), count));
    return package;
}

#endif
