#include "dialog_driver.h"

namespace {

struct Search {
    DWORD process;
    const char* className;
    const std::string* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    // GetWindowTextA would send WM_GETTEXT to the window's thread, which may
    // be the test thread waiting in Join: read the stored title instead.
    wchar_t wideTitle[256] = L"";
    InternalGetWindowText(window, wideTitle, 256);
    char title[256] = "";
    WideCharToMultiByte(CP_ACP, 0, wideTitle, -1, title, sizeof title, nullptr, nullptr);
    if (process == search->process && *search->title == title && IsWindowVisible(window) &&
        (!search->className || std::string(className) == search->className)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND WaitForWindow(DWORD process, const std::string& title, const char* className,
                   DWORD timeoutMs) {
    DWORD start = GetTickCount();
    do {
        Search search{process, className, &title, nullptr};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(10);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

std::string ControlText(HWND dialog, int id) {
    char text[1024] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

DialogAnswerer::DialogAnswerer(std::string caption, int button, Filler fill, DWORD timeoutMs)
    : caption_(std::move(caption)), button_(button), fill_(std::move(fill)), timeoutMs_(timeoutMs) {
    thread_ = std::thread([this] {
        HWND dialog = WaitForWindow(GetCurrentProcessId(), caption_, "#32770", timeoutMs_);
        if (dialog) Answer(dialog);
    });
}

DialogAnswerer::~DialogAnswerer() { Join(); }

void DialogAnswerer::Join() {
    if (thread_.joinable()) thread_.join();
}

void DialogAnswerer::Answer(HWND dialog) {
    text_ = ControlText(dialog, 0xFFFF);
    HWND icon = GetDlgItem(dialog, 0x440);  // present but empty without an icon
    hasIcon_ = icon && SendMessageA(icon, STM_GETICON, 0, 0) != 0;
    if (fill_) fill_(dialog);
    seen_ = true;
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button_, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button_)));
}
