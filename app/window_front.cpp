#include "window_front.h"

#include <windows.h>

#include <commctrl.h>

#include "executable_choice.h"
#include "package_file_choice.h"
#include "progress.h"
#include "shell.h"
#include "text_characters.h"
#include "working_values.h"

namespace {

class MainWindowFront : public CreateFront {
public:
    int SetupCount() override {
        return static_cast<int>(SendMessageA(TheShell.setupList, LB_GETCOUNT, 0, 0));
    }

    std::string SetupItem(int index) override {
        LRESULT length = SendMessageA(TheShell.setupList, LB_GETTEXTLEN, index, 0);
        if (length <= 0) return "";
        std::string text(static_cast<size_t>(length) + 1, '\0');
        SendMessageA(TheShell.setupList, LB_GETTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
        text.resize(static_cast<size_t>(length));
        return text;
    }

    bool SpanTicked() override {
        return SendMessageA(TheShell.spanCheckBox, BM_GETCHECK, 0, 0) != BST_UNCHECKED;
    }

    std::string Password() override {
        // Read whole, so that a cut to the first characters never splits a
        // double-byte one.
        const int length = GetWindowTextLengthA(TheShell.passwordField);
        if (length <= 0) return "";
        std::string password(static_cast<size_t>(length) + 1, '\0');
        password.resize(
            static_cast<size_t>(GetWindowTextA(TheShell.passwordField, &password[0], length + 1)));
        return CutToCharacters(password, MaxPasswordText);
    }

    std::string ChoosePackageFile() override { return ::ChoosePackageFile(); }

    bool ChooseInstallExecutable() override {
        ::ChooseInstallExecutable();
        return true;
    }

    void ShowMessage(const std::string& text, const char* caption, MessageStyle style) override {
        MessageBoxA(nullptr, text.c_str(), caption, style);
    }

    void SetStatus(const char* text) override {
        SendMessageA(TheShell.statusBar, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }

    void ProgressStart(uint32_t count) override { ::ProgressStart(count); }

    void ProgressAdvance(uint32_t steps) override {
        SendMessageA(TheShell.progressBar, PBM_SETSTEP, steps, 0);
        ProgressStep();
    }

    void ProgressHide() override { ShowWindow(TheShell.progressBar, SW_HIDE); }

    void FolderZipped(const std::string&) override { ProgressStep(); }

    void PumpOneMessage() override { ::PumpOneMessage(); }

    bool QuitRequested() override { return ::QuitRequested(); }
};

}  // namespace

CreateFront& WindowFront() {
    static MainWindowFront front;
    return front;
}
