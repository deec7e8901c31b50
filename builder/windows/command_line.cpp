// VNPMAKE [/SPAN] [/PASSWORD:text] [/START:entry] PACKAGE.EXE FOLDER [FOLDER ...]
// Switches take either case, each at most once, and come before the names;
// /? alone asks for the usage.
#include "command_line.h"

#include <windows.h>

#include "path_helpers.h"
#include "text_characters.h"
#include "upper_case.h"
#include "working_values.h"

const char BuilderUsage[] =
    "Usage: VNPMAKE [/SPAN] [/PASSWORD:text] [/START:entry] PACKAGE.EXE FOLDER [FOLDER ...]\n"
    "Makes the installation package PACKAGE.EXE from the setup folders, as Create does.\n"
    "  /SPAN           cut the package into pieces of 1,430,000 bytes, PACKAGE_001.exe, ...\n"
    "  /PASSWORD:text  ask for this password (at most 39 characters) before installing\n"
    "  /START:entry    the archived program that starts the installation, named as in\n"
    "                  the archive; without it the only EXE entry, if there is one\n"
    "Exit code: 0 when the package is complete, 1 when it failed, 2 on bad usage.\n";

const char BuilderName[] = "VNPMAKE";
const char StartSwitch[] = "/START:";

namespace {

// The text after a switch's colon when argument is that switch.
std::optional<std::string> SwitchValue(const std::string& argument, const std::string& name) {
    if (argument.size() < name.size() || UpperCased(argument.substr(0, name.size())) != name)
        return std::nullopt;
    return argument.substr(name.size());
}

// Set once: a second value would leave it to chance which one the script
// meant.
bool SetOnce(bool& given, const std::string& name, std::string& error) {
    if (given) error = name + " is given twice.";
    given = true;
    return error.empty();
}

}  // namespace

std::optional<BuildRequest> ParseBuildRequest(const std::vector<std::string>& arguments,
                                              std::string& error) {
    BuildRequest request;
    if (arguments.size() == 1 && arguments[0] == "/?") {
        request.help = true;
        return request;
    }
    size_t at = 0;
    bool spanGiven = false, passwordGiven = false, startGiven = false;
    for (; at < arguments.size() && !arguments[at].empty() && arguments[at][0] == '/'; ++at) {
        const std::string& argument = arguments[at];
        if (UpperCased(argument) == "/SPAN") {
            if (!SetOnce(spanGiven, "/SPAN", error)) return std::nullopt;
            request.span = true;
        } else if (auto password = SwitchValue(argument, "/PASSWORD:")) {
            if (!SetOnce(passwordGiven, "/PASSWORD:", error)) return std::nullopt;
            if (CharacterCount(*password) > MaxPasswordText) {
                error = "The password has more than 39 characters.";
                return std::nullopt;
            }
            request.password = *password;
        } else if (auto start = SwitchValue(argument, "/START:")) {
            if (!SetOnce(startGiven, "/START:", error)) return std::nullopt;
            if (start->empty()) {
                error = "/START: names no program.";
                return std::nullopt;
            }
            request.start = *start;
        } else {
            error = "Unknown switch " + argument + ".";
            return std::nullopt;
        }
    }
    if (arguments.size() - at < 2) {
        error = at == arguments.size() ? "No package named." : "No setup folder named.";
        return std::nullopt;
    }
    request.package = arguments[at];
    if (WithoutLeadingBlanks(request.package).empty()) {
        error = "The package name is empty.";
        return std::nullopt;
    }
    request.folders.assign(arguments.begin() + static_cast<long>(at) + 1, arguments.end());
    for (const std::string& folder : request.folders) {
        if (folder.empty() || folder[0] != '/') continue;
        error = "Switches come before the package: " + folder + ".";
        return std::nullopt;
    }
    return request;
}
