// Answers a modal dialog or message box that the test thread is about to
// block in. A helper thread waits for a dialog of this process with the
// given caption, reads its message text, lets the test fill its fields, and
// presses a button. Construct it before the call that shows the dialog.
#ifndef TESTS_SUPPORT_DIALOG_DRIVER_H
#define TESTS_SUPPORT_DIALOG_DRIVER_H

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

class DialogAnswerer {
public:
    using Filler = std::function<void(HWND dialog)>;

    explicit DialogAnswerer(std::string caption, int button = IDOK, Filler fill = nullptr,
                            DWORD timeoutMs = 10000);
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    // Waits for the helper thread; then Seen() and Text() are final.
    void Join();
    bool Seen() const { return seen_; }
    // The message text (static control 0xFFFF) of a message box.
    const std::string& Text() const { return text_; }
    // Whether the dialog shows an icon (a message box's static 0x440).
    bool HasIcon() const { return hasIcon_; }

private:
    void Answer(HWND dialog);

    std::string caption_;
    int button_;
    Filler fill_;
    DWORD timeoutMs_;
    std::atomic<bool> seen_{false};
    bool hasIcon_ = false;
    std::string text_;
    std::thread thread_;
};

// Waits for a visible top-level window of the process with this title (and
// class, when one is given); null when none appeared in time.
HWND WaitForWindow(DWORD process, const std::string& title, const char* className = nullptr,
                   DWORD timeoutMs = 20000);

// The text of a dialog's control, as the user sees it.
std::string ControlText(HWND dialog, int id);

#endif
