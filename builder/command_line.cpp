#include "command_line.h"

#include <windows.h>

#include "path_helpers.h"
#include "text_characters.h"
#include "upper_case.h"
#include "working_values.h"

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
            if (CharacterCount(*password, GetACP()) > MaxPasswordText) {
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
