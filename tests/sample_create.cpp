// Makes a package with the program's own Create, answering its Open dialog
// as a user would: sample_create OUTPUT FOLDER... (the setup folders). It
// runs beside the real stubs; tools/sample-package uses it for ./run.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "create_package.h"
#include "dialog_driver.h"
#include "setup_list.h"
#include "shell.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: sample_create OUTPUT FOLDER...\n");
        return 2;
    }
    const std::string output = argv[1];
    CreateMainDialog(GetModuleHandleA(nullptr));
    AddSetupFolders(TheShell.setupList, std::vector<std::string>(argv + 2, argv + argc));
    DialogAnswerer open("Select the Vornaly executable", IDOK, [&](HWND dialog) {
        SetDlgItemTextA(dialog, 0x47C, output.c_str());
    });
    CreatePackage();
    open.Join();
    return open.Seen() && GetFileAttributesA(output.c_str()) != INVALID_FILE_ATTRIBUTES ? 0 : 1;
}
