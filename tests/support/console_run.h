// Runs a console program as a build script runs it: in a given folder, its
// standard output and standard error caught in files, its exit code taken.
#ifndef TESTS_SUPPORT_CONSOLE_RUN_H
#define TESTS_SUPPORT_CONSOLE_RUN_H

#include <string>

struct ConsoleRun {
    int exitCode = -1;
    std::string out, err;
};

// The program (a Windows path) with these arguments, started in folder;
// ended as failed (99) after a minute.
ConsoleRun RunConsoleProgram(const std::string& program, const std::string& folder,
                             const std::string& arguments);

#endif
