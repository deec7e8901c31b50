// Starting and stopping the zip component (MVWRAP.DLL on Windows, linked in
// natively) for the program's run.
#ifndef ZIP_ZIP_COMPONENT_H
#define ZIP_ZIP_COMPONENT_H

#include <string>

// Starts the component and sets its retry options for locked files; the
// results are not looked at, as nothing can be done about them at start-up.
void StartZipComponent();

void StopZipComponent();

// Copies a text the component returned and frees it: such texts belong to
// the caller.
std::string TakeComponentText(char* text);

// Frees a text the component returned, as the component allocated it.
void FreeComponentText(char* text);

#endif
