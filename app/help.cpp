#include "help.h"

#include <objbase.h>
#include <shellapi.h>

#include <string>

#include "about_box.h"
#include "help_choice.h"
#include "platform_paths.h"

namespace {

HelpViewer ViewerOfThisWindows() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version)) return HelpViewer::HelpProgram;
    return HelpViewerFor(version.dwPlatformId, version.dwMajorVersion);
}

// The handlers that open a page may be COM objects, which need the calling
// thread in a single-threaded apartment; the thread is in one for the call.
class ComApartment {
public:
    ComApartment() : entered_(SUCCEEDED(CoInitialize(nullptr))) {}
    ~ComApartment() {
        if (entered_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool entered_;
};

// The page's top is its first topic, so the file itself is opened: a
// "#name" after a file path is lost on its way to the browser. The result
// is ShellExecute's: above 32 when the page opened.
INT_PTR OpenPage(HWND owner, const std::string& page) {
    ComApartment apartment;
    return reinterpret_cast<INT_PTR>(
        ShellExecuteA(owner, nullptr, page.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
}

bool OpenHelpFile(HWND owner, const std::string& file) {
    return WinHelpA(owner, file.c_str(), HELP_CONTEXT, HelpFirstTopic) != FALSE;
}

}  // namespace

// A Windows that reports itself without the help program may still have it,
// and one with it may have no browser for pages (no default browser, or
// none associated with .htm): the other viewer is tried before Help gives up.
void ShowHelp(HWND owner) {
    const std::string program = ProgramPath();
    const std::string page = BesideProgram(program, HelpPageName);
    const std::string file = BesideProgram(program, HelpFileName);
    const bool browserFirst = ViewerOfThisWindows() == HelpViewer::Browser;
    if (!browserFirst && OpenHelpFile(owner, file)) return;
    const INT_PTR result = OpenPage(owner, page);
    if (result > 32 || (browserFirst && OpenHelpFile(owner, file))) return;
    const std::string text =
        HelpPageUnavailable + page + " (error " + std::to_string(result) + ").";
    MessageBoxA(nullptr, text.c_str(), ProductTitle, MB_OK);
}
