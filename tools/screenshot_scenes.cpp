// Sets up one scene for tools/screenshots on a virtual screen: the real main
// dialog with a few setup folders dropped on it, at its template size,
// widened, with the About box open, or with the help program showing what
// the Help button opens where the system has one (the help file of the
// program folder at its first topic; this scene is no program of that
// folder, so it names the file itself). Writes
// the shown window's outer rectangle ("width height x y") to the file named
// on the command line once it is drawn, and ends when a file of that name
// plus ".stop" appears.
// Usage: screenshot_scenes main|wide|about|help RECT_FILE
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "about_box.h"
#include "drop.h"
#include "help_choice.h"
#include "resource.h"
#include "shell.h"
#include "temp_dir.h"

namespace {

std::string Scene;
std::string RectFile;
int Ticks = 0;
bool Written = false;

constexpr UINT TickMs = 100;
constexpr int SettleTicks = 10;   // let the window draw itself
constexpr int GiveUpTicks = 600;  // never outlive a script that died

std::string HelpFile() { return WinePath(VORNALY_DIST_UNIX_PATH) + "\\" + HelpFileName; }

HWND SceneWindow() {
    if (Scene == "about") return FindWindowA("#32770", "About Vornaly...");
    if (Scene == "help") return FindWindowA("MS_WINHELP", "Vornaly Installer Help");
    return TheShell.mainDialog;
}

void WriteRect(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    if (FILE* file = fopen(RectFile.c_str(), "w")) {
        fprintf(file, "%ld %ld %ld %ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
        fclose(file);
    }
    Written = true;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    ++Ticks;
    HWND window = SceneWindow();
    if (!Written && window && Ticks >= SettleTicks) WriteRect(window);
    bool stop = GetFileAttributesA((RectFile + ".stop").c_str()) != INVALID_FILE_ATTRIBUTES;
    if (stop || Ticks > GiveUpTicks) {
        if (Scene == "about" && window) EndDialog(window, 0);
        if (Scene == "help") WinHelpA(TheShell.mainDialog, HelpFile().c_str(), HELP_QUIT, 0);
        PostQuitMessage(0);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    Scene = argv[1];
    RectFile = argv[2];

    std::vector<std::string> folders;
    for (const char* name : {"C:\\Setup", "C:\\Setup\\Disk1", "C:\\Setup\\Disk2",
                             "C:\\Setup\\Disk3", "C:\\Setup\\Disk4"}) {
        CreateDirectoryA(name, nullptr);
        if (std::string(name) != "C:\\Setup") folders.push_back(name);
    }

    HWND dialog = CreateMainDialog(GetModuleHandleA(nullptr));
    ShowWindow(dialog, SW_SHOWNORMAL);
    UpdateWindow(dialog);
    DropOn(dialog, {folders[2], folders[0], folders[3], folders[1]});
    if (Scene == "wide") {
        // Widened as a user drags the border: the layout's reference is taken
        // at the first small step.
        RECT r;
        GetWindowRect(dialog, &r);
        for (int step = 1; step <= 20; ++step) {
            SetWindowPos(dialog, nullptr, 0, 0, r.right - r.left + 10 * step,
                         r.bottom - r.top + 3 * step, SWP_NOMOVE | SWP_NOZORDER);
        }
    }
    if (Scene == "help") WinHelpA(dialog, HelpFile().c_str(), HELP_CONTEXT, HelpFirstTopic);
    SetTimer(nullptr, 0, TickMs, Tick);
    if (Scene == "about") ShowAboutBox(dialog);
    RunMessageLoop();
    return 0;
}
