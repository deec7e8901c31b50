// vnpmake: Create from a Linux command line, natively: the steps
// VNPMAKE.EXE runs under Wine, giving the same bytes, without Wine.
#include <stdio.h>

#include <string>
#include <vector>

#include "ansi_code_page.h"
#include "command_line.h"
#include "console_front.h"
#include "create_package.h"
#include "request_text.h"
#include "stub_folder.h"
#include "text_characters.h"
#include "unix/ansi_code_page_choice.h"
#include "working_values.h"
#include "zip_component.h"

namespace {

const int kFailed = 1, kUsage = 2;

int Usage(const std::string& error) {
    fprintf(stderr, "vnpmake: %s\n%s", error.c_str(), BuilderUsage);
    return kUsage;
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    auto request = ParseBuildRequest(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!request) return Usage(error);
    if (request->help) {
        fputs(BuilderUsage, stdout);
        return 0;
    }
    if (request->version) {
        printf("vnpmake %s\n", VORNALY_VERSION);
        return 0;
    }
    if (request->codePage && !text::ChooseAnsiCodePage(request->codePage)) {
        fprintf(stderr, "vnpmake: this system cannot convert code page %u.\n", request->codePage);
        return kUsage;
    }
    // The Create reads every text in the code page, as Wine hands it to
    // VNPMAKE.EXE; a name it cannot hold is refused by name.
    if (!PasswordToCodePage(*request, error)) return Usage(error);
    if (CharacterCount(request->password) > MaxPasswordText)
        return Usage("The password has more than 39 characters.");
    if (!NamesToCodePage(*request, error)) {
        fprintf(stderr, "vnpmake: %s\n", error.c_str());
        return kFailed;
    }
    WarnOfUncheckedPassword(request->password);
    if (!FindStubFolder(request->stubs, error)) {
        fprintf(stderr, "vnpmake: %s\n", error.c_str());
        return kFailed;
    }
    ConsoleFront front(*request);
    if (!front.ListFolders()) return kFailed;
    UseCreateFront(front);
    StartZipComponent();
    const bool built = CreatePackage();
    StopZipComponent();
    return built ? 0 : kFailed;
}
