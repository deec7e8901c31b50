// VNPMAKE.EXE: Create from the command line, for build scripts. The same
// steps as the window's Create, with the command line as their front end.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>
#include <vector>

#include "command_line.h"
#include "console_front.h"
#include "create_package.h"
#include "dll_search.h"
#include "zip_component.h"

int main(int argc, char** argv) {
    RestrictDllSearch();
    // Lines end in a bare line feed, as a script on either system reads them;
    // the console shows them the same.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    std::string error;
    const auto request = ParseBuildRequest(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!request) {
        std::fprintf(stderr, "VNPMAKE: %s\n%s", error.c_str(), BuilderUsage);
        return 2;
    }
    if (request->help) {
        std::printf("%s", BuilderUsage);
        return 0;
    }
    WarnOfUncheckedPassword(request->password);
    ConsoleFront front(*request);
    if (!front.ListFolders()) return 1;
    UseCreateFront(front);
    StartZipComponent();
    const bool built = CreatePackage();
    StopZipComponent();
    return built ? 0 : 1;
}
