// The builder's command line, read without touching the file system:
//   VNPMAKE [/SPAN] [/PASSWORD:text] [/START:entry] PACKAGE.EXE FOLDER [FOLDER ...]
// Switches take either case, each at most once, and come before the names.
#ifndef BUILDER_COMMAND_LINE_H
#define BUILDER_COMMAND_LINE_H

#include <optional>
#include <string>
#include <vector>

struct BuildRequest {
    bool help = false;
    bool span = false;
    std::string password;
    std::optional<std::string> start;
    std::string package;
    std::vector<std::string> folders;
};

constexpr char BuilderUsage[] =
    "Usage: VNPMAKE [/SPAN] [/PASSWORD:text] [/START:entry] PACKAGE.EXE FOLDER [FOLDER ...]\n"
    "Makes the installation package PACKAGE.EXE from the setup folders, as Create does.\n"
    "  /SPAN           cut the package into pieces of 1,430,000 bytes, PACKAGE_001.exe, ...\n"
    "  /PASSWORD:text  ask for this password (at most 39 characters) before installing\n"
    "  /START:entry    the archived program that starts the installation, named as in\n"
    "                  the archive; without it the only EXE entry, if there is one\n"
    "Exit code: 0 when the package is complete, 1 when it failed, 2 on bad usage.\n";

// The request, or nothing with why in `error`. /? alone asks for the usage.
std::optional<BuildRequest> ParseBuildRequest(const std::vector<std::string>& arguments,
                                              std::string& error);

#endif
