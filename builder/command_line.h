// The builder's command line, read without touching the file system, in the
// form each system's commands take (windows/, unix/).
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
    // Linux's own: --version, --code-page, --stubs.
    bool version = false;
    unsigned codePage = 0;  // 0: the locale's
    std::string stubs;      // the folder of the stubs, when named
};

// What --help (/? on Windows) prints, in each system's form.
extern const char BuilderUsage[];
// The name the builder's messages begin with, and its start program switch
// as the messages name it.
extern const char BuilderName[];
extern const char StartSwitch[];

// The request, or nothing with why in `error`.
std::optional<BuildRequest> ParseBuildRequest(const std::vector<std::string>& arguments,
                                              std::string& error);

#endif
