// The platform's help program as the Help button starts it, watched from
// outside: it runs in a process of its own and reads the help file with a
// reader that is not ours, so what it shows tells whether the file is right.
#ifndef TESTS_SUPPORT_HELP_PROGRAM_H
#define TESTS_SUPPORT_HELP_PROGRAM_H

#include <windows.h>

#include <string>
#include <thread>
#include <vector>

struct HelpProgramView {
    HWND window = nullptr;  // its main window, once it shows a topic
    std::string title;
    std::string topicText;                  // the first characters of the topic
    std::vector<std::string> messageBoxes;  // "caption: text" of each box it showed
};

// Construct before the call that starts the help program: that call waits
// while the program shows a message box, so a helper thread notes each box
// and closes it, until a topic is shown or timeoutMs have passed.
class HelpProgramWatch {
public:
    explicit HelpProgramWatch(DWORD timeoutMs = 20000);
    ~HelpProgramWatch();
    HelpProgramWatch(const HelpProgramWatch&) = delete;
    HelpProgramWatch& operator=(const HelpProgramWatch&) = delete;

    // Waits for the helper thread; then the view is final.
    const HelpProgramView& Result();

private:
    HelpProgramView view_;
    std::thread thread_;
};

// Asks the help program to quit, as the end of a program that used it does,
// and waits until its process has ended.
void QuitHelpProgram(HWND owner, const char* helpFile);

#endif
