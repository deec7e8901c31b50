#include "tooltips.h"

#include "resource.h"
#include "shell.h"

namespace {

// The buttons whose ids are also the ids of their hints in the string table.
const int HintedButtons[] = {IDC_CREATE, IDC_ABOUT, IDC_EXIT};

}  // namespace

HWND CreateButtonTooltips(HWND dialog) {
    HWND tooltip = CreateWindowExA(
        WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr, TheShell.instance, nullptr);
    if (!tooltip) return nullptr;
    for (int id : HintedButtons) {
        // The size that every version of the common controls accepts; the
        // larger current one is refused by the version XP has by default.
        TOOLINFOA tool = {};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        // The tool is the button's window, so the hint follows the button
        // wherever the layout moves it.
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = dialog;
        tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(dialog, id));
        tool.lpszText = LPSTR_TEXTCALLBACKA;
        SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    return tooltip;
}

void OnTooltipTextRequest(NMHDR* header) {
    if (header->code != TTN_NEEDTEXTA) return;
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
    // A tool registered by its window reports the window as its id.
    UINT_PTR id = header->idFrom;
    if (info->uFlags & TTF_IDISHWND) id = GetDlgCtrlID(reinterpret_cast<HWND>(id));
    // The text must outlive this call: the control reads it afterwards.
    static char text[255];
    text[0] = '\0';
    HINSTANCE instance = TheShell.instance ? TheShell.instance : GetModuleHandleA(nullptr);
    LoadStringA(instance, static_cast<UINT>(id), text, sizeof text);
    info->lpszText = text;
    info->hinst = nullptr;
}
