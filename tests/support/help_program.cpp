#include "help_program.h"

#include <cstring>
#include <memory>

namespace {

// WinHelp finds the help program by this class and starts it when there is
// none.
constexpr char HelpClass[] = "MS_WINHELP";

DWORD HelpProcess() {
    DWORD process = 0;
    if (HWND window = FindWindowA(HelpClass, nullptr)) GetWindowThreadProcessId(window, &process);
    return process;
}

// Asked of the window itself: the system keeps no text for another
// process's controls.
std::string WindowText(HWND window) {
    char text[512] = "";
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 1000, &copied);
    return text;
}

BOOL CALLBACK FindRichEdit(HWND child, LPARAM found) {
    char name[64] = "";
    GetClassNameA(child, name, sizeof name);
    if (_strnicmp(name, "RichEdit", 8) != 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
}

struct Look {
    DWORD process;
    HelpProgramView* view;
};

BOOL CALLBACK LookAtWindow(HWND window, LPARAM lParam) {
    const Look& look = *reinterpret_cast<Look*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != look.process || !IsWindowVisible(window)) return TRUE;
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    if (strcmp(name, "#32770") == 0) {
        look.view->messageBoxes.push_back(WindowText(window) + ": " +
                                          WindowText(GetDlgItem(window, 0xFFFF)));
        // Ends a box of any buttons; "No" to looking for the file elsewhere.
        PostMessageA(window, WM_COMMAND, IDNO, 0);
        return TRUE;
    }
    HWND text = nullptr;
    EnumChildWindows(window, FindRichEdit, reinterpret_cast<LPARAM>(&text));
    const std::string topic = text ? WindowText(text) : "";
    if (!topic.empty()) {
        look.view->window = window;
        look.view->title = WindowText(window);
        look.view->topicText = topic;
    }
    return TRUE;
}

}  // namespace

HelpProgramWatch::HelpProgramWatch(DWORD timeoutMs)
    : thread_([this, timeoutMs] {
          const DWORD start = GetTickCount();
          while (!view_.window && GetTickCount() - start < timeoutMs) {
              if (DWORD process = HelpProcess()) {
                  Look look{process, &view_};
                  EnumWindows(LookAtWindow, reinterpret_cast<LPARAM>(&look));
              }
              Sleep(50);
          }
      }) {}

HelpProgramWatch::~HelpProgramWatch() {
    if (thread_.joinable()) thread_.join();
}

const HelpProgramView& HelpProgramWatch::Result() {
    if (thread_.joinable()) thread_.join();
    return view_;
}

void QuitHelpProgram(HWND owner, const char* helpFile) {
    const DWORD process = HelpProcess();
    if (!process) return;
    std::unique_ptr<void, decltype(&CloseHandle)> handle(OpenProcess(SYNCHRONIZE, FALSE, process),
                                                         CloseHandle);
    WinHelpA(owner, helpFile, HELP_QUIT, 0);
    if (handle) WaitForSingleObject(handle.get(), 10000);
}
