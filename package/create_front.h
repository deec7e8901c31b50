// The Create's one seam to whoever started it: what it reads (the setup
// list, Span, the password, the package file and start program choices) and
// where it reports (messages with their captions, the status text, progress,
// the one-message pump). The main window is one front end, the console
// builder the other; the steps of a Create reach neither except through
// this.
#ifndef PACKAGE_CREATE_FRONT_H
#define PACKAGE_CREATE_FRONT_H

#include <cstdint>
#include <string>

// A message box's style: the values are MessageBoxA's MB_ constants, which
// the window's front end passes on unchanged.
using MessageStyle = uint32_t;
constexpr MessageStyle MessageOk = 0x00;               // MB_OK
constexpr MessageStyle MessageExclamation = 0x30;      // MB_ICONEXCLAMATION

class CreateFront {
public:
    virtual ~CreateFront() = default;

    virtual int SetupCount() = 0;
    virtual std::string SetupItem(int index) = 0;
    virtual bool SpanTicked() = 0;
    virtual std::string Password() = 0;
    // The package path, or an empty text when none was chosen.
    virtual std::string ChoosePackageFile() = 0;
    // Leaves the start program in InstallExecutable; false when there is
    // none to be had and the Create must stop, after saying why.
    virtual bool ChooseInstallExecutable() = 0;

    // A message box's text, caption and style.
    virtual void ShowMessage(const std::string& text, const char* caption,
                             MessageStyle style) = 0;
    virtual void SetStatus(const char* text) = 0;
    // A count of steps to come, steps done, and the end of it.
    virtual void ProgressStart(uint32_t count) = 0;
    virtual void ProgressAdvance(uint32_t steps) = 0;
    virtual void ProgressHide() = 0;
    // The zip job has added this setup list item to the archive.
    virtual void FolderZipped(const std::string& item) = 0;
    virtual void PumpOneMessage() = 0;
    // Whether the user asked to leave while the Create ran.
    virtual bool QuitRequested() = 0;
};

// The front end that Creates serve from now on; it must outlive them.
void UseCreateFront(CreateFront& front);
CreateFront& Front();

#endif
