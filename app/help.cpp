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
// "#name" after a file path is lost on its way to the browser.
void OpenPage(HWND owner, const std::string& page) {
    ComApartment apartment;
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(owner, nullptr, page.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    // Results of 32 and below are errors.
    if (result > 32) return;
    const std::string text =
        HelpPageUnavailable + page + " (error " + std::to_string(result) + ").";
    MessageBoxA(nullptr, text.c_str(), ProductTitle, MB_OK);
}

}  // namespace

void ShowHelp(HWND owner) {
    const std::string program = ProgramPath();
    if (ViewerOfThisWindows() == HelpViewer::Browser)
        OpenPage(owner, BesideProgram(program, HelpPageName));
    else
        WinHelpA(owner, BesideProgram(program, HelpFileName).c_str(), HELP_CONTEXT, HelpFirstTopic);
}
