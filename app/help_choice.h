// Which help the Help button opens, and where its files lie. Pure: no
// platform calls, so every Windows version is a row of a table.
#ifndef APP_HELP_CHOICE_H
#define APP_HELP_CHOICE_H

#include <string>

constexpr char HelpFileName[] = "Vornaly.hlp";
constexpr char HelpPageName[] = "Vornaly.htm";
// The topic Help opens in the help file; the page starts with it.
constexpr unsigned long HelpFirstTopic = 1;

enum class HelpViewer {
    HelpProgram,  // the system's help program with the .hlp file
    Browser,      // the default browser with the .htm page
};

// Windows 6.0 (Vista) and later no longer bring the program that reads .hlp
// files, and from Windows 10 on it cannot be had at all; the 95/98/ME line
// and the NT line before 6.0 always have it. platformId and majorVersion
// are what GetVersionEx reports.
HelpViewer HelpViewerFor(unsigned long platformId, unsigned long majorVersion);

// The file of that name in the folder of programPath (a full path). The
// help program would look for a bare name in the current folder, which is
// the program's own folder only when it was started from there.
std::string BesideProgram(const std::string& programPath, const std::string& fileName);

#endif
