// The console builder as the Create's front end: the setup list and the
// choices come from the command line, messages go to standard error with
// their captions, the status lines and one line per folder zipped to
// standard output. Nothing is shown and nothing waits for anyone.
#ifndef BUILDER_CONSOLE_FRONT_H
#define BUILDER_CONSOLE_FRONT_H

#include <string>
#include <vector>

#include "command_line.h"
#include "create_front.h"

class ConsoleFront : public CreateFront {
public:
    explicit ConsoleFront(const BuildRequest& request) : request_(request) {}

    // Lists the request's folders as drops would (sorted, each once ignoring
    // case); false, after saying which, when one is missing or a file.
    bool ListFolders();

    int SetupCount() override;
    std::string SetupItem(int index) override;
    bool SpanTicked() override { return request_.span; }
    std::string Password() override { return request_.password; }
    std::string ChoosePackageFile() override;
    bool ChooseInstallExecutable() override;

    void ShowMessage(const std::string& text, const char* caption, MessageStyle style) override;
    void SetStatus(const char* text) override;
    void ProgressStart(uint32_t) override {}
    void ProgressAdvance(uint32_t) override {}
    void ProgressHide() override {}
    void FolderZipped(const std::string& item) override;
    void PumpOneMessage() override {}
    bool QuitRequested() override { return false; }

private:
    const BuildRequest& request_;
    // In the order and with the sameness of names that the window's list
    // boxes give them, without a window: a build server may have none.
    std::vector<std::string> setupList_;
};

// The record keeps the password's first bytes only: says so on standard
// error when the rest would be a check the package never makes.
void WarnOfUncheckedPassword(const std::string& password);

#endif
