#include "dialog_driver.h"

namespace {

struct Search {
    const std::string* caption;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    char title[256] = "";
    GetWindowTextA(window, title, sizeof title);
    if (process == GetCurrentProcessId() && std::string(className) == "#32770" &&
        *search->caption == title && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

std::string ControlText(HWND dialog, int id) {
    char text[1024] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

DialogAnswerer::DialogAnswerer(std::string caption, int button, Filler fill, DWORD timeoutMs)
    : caption_(std::move(caption)), button_(button), fill_(std::move(fill)), timeoutMs_(timeoutMs) {
    thread_ = std::thread([this] {
        DWORD start = GetTickCount();
        while (GetTickCount() - start < timeoutMs_) {
            Search search{&caption_, nullptr};
            EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
            if (search.found) {
                Answer(search.found);
                return;
            }
            Sleep(10);
        }
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
