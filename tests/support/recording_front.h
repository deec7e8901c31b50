#ifndef TESTS_SUPPORT_RECORDING_FRONT_H
#define TESTS_SUPPORT_RECORDING_FRONT_H

#include <windows.h>

#include <stdint.h>

#include <functional>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "create_front.h"
#include "dialog_driver.h"
#include "window_front.h"

// The window's front end with the package path given (or the real Open
// dialog, cancelled), messages noted instead of shown, and a step of the
// test's own once the zip job has added the last folder (a change to the
// archive by someone else, say, before the Create lists it).
class RecordingFront : public CreateFront {
public:
    RecordingFront(
        std::string output, std::function<void()> afterZip = [] {})
        : output_(std::move(output)), afterZip_(std::move(afterZip)) {}

    int SetupCount() override { return window_.SetupCount(); }
    std::string SetupItem(int index) override { return window_.SetupItem(index); }
    bool SpanTicked() override { return window_.SpanTicked(); }
    std::string Password() override { return window_.Password(); }
    std::string ChoosePackageFile() override {
        if (!output_.empty()) return output_;
        DialogAnswerer open("Select the Vornaly executable", IDCANCEL);
        const std::string chosen = window_.ChoosePackageFile();
        open.Join();
        EXPECT_TRUE(open.Seen());
        return chosen;
    }
    bool ChooseInstallExecutable() override { return window_.ChooseInstallExecutable(); }
    void ShowMessage(const std::string& text, const char* caption, MessageStyle) override {
        said += std::string(caption) + ": " + text + "\n";
    }
    void SetStatus(const char* text) override { window_.SetStatus(text); }
    void ProgressStart(uint32_t count) override { window_.ProgressStart(count); }
    void ProgressAdvance(uint32_t steps) override { window_.ProgressAdvance(steps); }
    void ProgressHide() override { window_.ProgressHide(); }
    void FolderZipped(const std::string& item) override {
        window_.FolderZipped(item);
        if (++zipped_ == window_.SetupCount()) afterZip_();
    }
    void PumpOneMessage() override { window_.PumpOneMessage(); }
    bool QuitRequested() override { return window_.QuitRequested(); }

    std::string said;

private:
    CreateFront& window_ = WindowFront();
    std::string output_;
    std::function<void()> afterZip_;
    int zipped_ = 0;
};

#endif
