#include "help_choice.h"

#include "path_helpers.h"

namespace {

// GetVersionEx's platform id of the NT line, VER_PLATFORM_WIN32_NT.
constexpr unsigned long NtLine = 2;
constexpr unsigned long FirstWithoutHelpProgram = 6;

}  // namespace

HelpViewer HelpViewerFor(unsigned long platformId, unsigned long majorVersion) {
    return platformId == NtLine && majorVersion >= FirstWithoutHelpProgram
               ? HelpViewer::Browser
               : HelpViewer::HelpProgram;
}

std::string BesideProgram(const std::string& programPath, const std::string& fileName) {
    return FolderPart(programPath) + fileName;
}
