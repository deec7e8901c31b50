// vnpmake [--span] [--password=TEXT] [--start=ENTRY] [--code-page=N]
//         [--stubs=DIR] PACKAGE.exe FOLDER...
// Switches go anywhere, each at most once, as Linux commands take them; "--"
// ends them, for names that begin with a dash.
#include "command_line.h"

#include <stdlib.h>

#include "path_helpers.h"

const char BuilderUsage[] =
    "Usage: vnpmake [--span] [--password=TEXT] [--start=ENTRY] [--code-page=N]\n"
    "               [--stubs=DIR] PACKAGE.exe FOLDER...\n"
    "Makes the installation package PACKAGE.exe from the setup folders, as Create does,\n"
    "with the same bytes as VNPMAKE.EXE under Wine in the same code page and time zone.\n"
    "  --span           cut the package into pieces of 1,430,000 bytes, PACKAGE_001.exe, ...\n"
    "  --password=TEXT  ask for this password (at most 39 characters) before installing\n"
    "  --start=ENTRY    the archived program that starts the installation, named as in\n"
    "                   the archive; without it the only EXE entry, if there is one\n"
    "  --code-page=N    the Windows code page of names and password (default: the one\n"
    "                   Wine takes from the locale, LANG)\n"
    "  --stubs=DIR      the folder of Install.vnp and Vornaly.vnp (default: beside the\n"
    "                   program, then its installed data folder)\n"
    "Exit codes: 0 when the package is complete, 1 when it failed, 2 on bad usage.\n";

const char BuilderName[] = "vnpmake";
const char StartSwitch[] = "--start=";

namespace {

// The text after "=" when argument is that switch.
bool SwitchValue(const std::string& argument, const char* name, std::string& value) {
    const std::string start = std::string(name) + "=";
    if (argument.compare(0, start.size(), start) != 0) return false;
    value = argument.substr(start.size());
    return true;
}

// Set once: a second value would leave it to chance which one the script
// meant.
bool SetOnce(bool& given, const char* name, std::string& error) {
    if (given) error = std::string(name) + " is given twice.";
    given = true;
    return error.empty();
}

bool ReadSwitch(const std::string& argument, BuildRequest& request, bool given[5],
                std::string& error) {
    std::string value;
    if (argument == "--span") {
        request.span = true;
        return SetOnce(given[0], "--span", error);
    }
    if (SwitchValue(argument, "--password", value)) {
        request.password = value;
        return SetOnce(given[1], "--password", error);
    }
    if (SwitchValue(argument, "--start", value)) {
        if (!SetOnce(given[2], "--start", error)) return false;
        if (value.empty()) error = "--start= names no program.";
        request.start = value;
        return error.empty();
    }
    if (SwitchValue(argument, "--code-page", value)) {
        if (!SetOnce(given[3], "--code-page", error)) return false;
        char* end = nullptr;
        const unsigned long number = strtoul(value.c_str(), &end, 10);
        if (value.empty() || *end || number == 0 || number > 65535)
            error = "The code page " + value + " is not a number.";
        request.codePage = unsigned(number);
        return error.empty();
    }
    if (SwitchValue(argument, "--stubs", value)) {
        if (!SetOnce(given[4], "--stubs", error)) return false;
        if (value.empty()) error = "--stubs= names no folder.";
        request.stubs = value;
        return error.empty();
    }
    error = "Unknown switch " + argument + ".";
    return false;
}

}  // namespace

std::optional<BuildRequest> ParseBuildRequest(const std::vector<std::string>& arguments,
                                              std::string& error) {
    BuildRequest request;
    bool given[5] = {};
    std::vector<std::string> names;
    bool switches = true;
    for (const std::string& argument : arguments) {
        if (switches && (argument == "--help" || argument == "-h")) {
            request.help = true;
            return request;
        }
        if (switches && argument == "--version") {
            request.version = true;
            return request;
        }
        if (switches && argument == "--") {
            switches = false;
        } else if (switches && argument.size() > 1 && argument[0] == '-') {
            if (!ReadSwitch(argument, request, given, error)) return std::nullopt;
        } else {
            names.push_back(argument);
        }
    }
    if (names.size() < 2) {
        error = names.empty() ? "No package named." : "No setup folder named.";
        return std::nullopt;
    }
    request.package = names[0];
    if (WithoutLeadingBlanks(request.package).empty()) {
        error = "The package name is empty.";
        return std::nullopt;
    }
    request.folders.assign(names.begin() + 1, names.end());
    return request;
}
