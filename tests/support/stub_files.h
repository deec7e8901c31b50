// Stand-in stub files in the test program's own folder, where the package
// writers look for them, removed again when the test ends. Their bytes are
// a recognisable pattern: the writers only copy them.
#ifndef TESTS_SUPPORT_STUB_FILES_H
#define TESTS_SUPPORT_STUB_FILES_H

#include <windows.h>

#include <string>

class StubFiles {
public:
    // Writes an inner stub of innerLength bytes and an outer stub of
    // outerLength bytes; a negative length leaves that stub out.
    StubFiles(long innerLength = 97792, long outerLength = 30000);
    ~StubFiles();
    StubFiles(const StubFiles&) = delete;
    StubFiles& operator=(const StubFiles&) = delete;

    std::string InnerPath() const;
    std::string OuterPath() const;
    std::string Inner() const { return inner_; }
    std::string Outer() const { return outer_; }

private:
    std::string inner_, outer_;
};

// The folder of the running test program, with its trailing backslash.
std::string ProgramFolder();

#endif
