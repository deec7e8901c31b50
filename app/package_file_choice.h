// The choice of the package file in the platform's Open dialog. The dialog
// remembers its filters and the last extension for the rest of the run, so
// a later dialog starts on the filter of the last choice.
#ifndef APP_PACKAGE_FILE_CHOICE_H
#define APP_PACKAGE_FILE_CHOICE_H

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

constexpr char PackageFileTitle[] = "Select the Vornaly executable";
constexpr char PackageFileFilter[] = "Executable files(*.exe)|*.exe";
// OFN_HIDEREADONLY | OFN_LONGNAMES: a new name may be typed, and the chosen
// file's folder becomes the current directory, where the next dialog opens.
constexpr uint32_t PackageFileFlags = 0x200004;

// The chosen path, or an empty text when the user chose nothing.
std::string ChoosePackageFile();

// Shows the Open dialog without owner in the current directory and gives
// outputPath the chosen name (empty for a cancel or a name with "*").
void ShowFileDialog(std::string& outputPath, const std::string& title,
                    const std::vector<std::string>& filterList, uint16_t filterIndex,
                    uint32_t flags);

// One Open dialog. filterText holds its items joined by "|"; an empty
// initialFolder means the current directory, an empty title the platform's
// own. True when the user confirmed a name, which then is in fileName; flags
// come back as the dialog left them.
bool RunOpenFileDialog(HWND owner, const std::string& title, std::string& fileName,
                       const std::string& initialFolder, const std::string& filterText,
                       uint16_t filterIndex, const std::string& defaultExtension, uint32_t& flags);

#endif
