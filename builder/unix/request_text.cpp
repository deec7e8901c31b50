#include "request_text.h"

#include "ansi_code_page.h"
#include "folder_paths.h"
#include "unix/system_text.h"

namespace {

// `named` names the text in the sentence that refuses it.
bool Held(std::string& value, const std::string& named, std::string& error) {
    std::string ansi;
    if (SystemToCodePage(value, ansi)) {
        value = ansi;
        return true;
    }
    error = named + " has characters that code page " + std::to_string(text::AnsiCodePage()) +
            " cannot hold.";
    return false;
}

}  // namespace

bool PasswordToCodePage(BuildRequest& request, std::string& error) {
    return Held(request.password, "The password", error);
}

bool NamesToCodePage(BuildRequest& request, std::string& error) {
    request.package = FullPath(request.package);
    if (!Held(request.package, "The package name " + request.package, error)) return false;
    for (std::string& folder : request.folders) {
        folder = FullPath(folder);
        if (!Held(folder, "The setup folder " + folder, error)) return false;
    }
    if (!request.start) return true;
    for (char& c : *request.start)
        if (c == '/') c = '\\';
    return Held(*request.start, "--start=" + *request.start, error);
}
