// A front end without a window for the tests of the Create's steps: its
// messages are noted, one line each ("caption: text"), and nothing else
// is asked of it.
#ifndef TESTS_SUPPORT_NOTED_FRONT_H
#define TESTS_SUPPORT_NOTED_FRONT_H

#include <string>

#include "create_front.h"

class NotedFront : public CreateFront {
public:
    NotedFront() { UseCreateFront(*this); }

    int SetupCount() override { return 0; }
    std::string SetupItem(int) override { return ""; }
    bool SpanTicked() override { return false; }
    std::string Password() override { return ""; }
    std::string ChoosePackageFile() override { return ""; }
    bool ChooseInstallExecutable() override { return false; }
    void ShowMessage(const std::string& text, const char* caption, MessageStyle) override {
        said += std::string(caption) + ": " + text + "\n";
    }
    void SetStatus(const char*) override {}
    void ProgressStart(uint32_t) override {}
    void ProgressAdvance(uint32_t) override {}
    void ProgressHide() override {}
    void FolderZipped(const std::string&) override {}
    void PumpOneMessage() override {}
    bool QuitRequested() override { return false; }

    std::string said;
};

#endif
