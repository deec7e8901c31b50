// A test that works on the real main dialog, created in this process from
// the MAIN template, and torn down again so that the next test starts clean.
#ifndef TESTS_SUPPORT_MAIN_DIALOG_FIXTURE_H
#define TESTS_SUPPORT_MAIN_DIALOG_FIXTURE_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mvwrap.h"
#include "resource.h"
#include "shell.h"

class MainDialogTest : public testing::Test {
protected:
    void SetUp() override {
        dialog = CreateMainDialog(GetModuleHandleA(nullptr));
        ASSERT_NE(dialog, nullptr);
    }

    void TearDown() override {
        DestroyWindow(dialog);
        StopMorvane();
        TakeQuitMessage();
        TheShell = Shell{};
    }

    // Handles the waiting messages (painting among them, which stays queued
    // until handled) and takes out a posted quit message; true, with its exit
    // code, if there was one.
    static bool TakeQuitMessage(WPARAM* exitCode = nullptr) {
        MSG message;
        bool quit = false;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quit = true;
                if (exitCode) *exitCode = message.wParam;
                continue;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        return quit;
    }

    void Click(int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

    std::vector<std::string> Entries() const {
        std::vector<std::string> entries;
        HWND list = GetDlgItem(dialog, IDC_SETUP_LIST);
        LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            char text[256] = "";
            SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            entries.emplace_back(text);
        }
        return entries;
    }

    HWND dialog = nullptr;
};

#endif
