// Builds the drop handle that the file manager hands a window when files are
// dropped on it. The receiver releases it (DragFinish).
#ifndef TESTS_SUPPORT_DROP_H
#define TESTS_SUPPORT_DROP_H

#include <windows.h>

#include <string>
#include <vector>

HDROP MakeDrop(const std::vector<std::string>& paths);

// Sends WM_DROPFILES with a new drop of these paths to the window.
void DropOn(HWND window, const std::vector<std::string>& paths);

#endif
