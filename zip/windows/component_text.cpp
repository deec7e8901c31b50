// MVWRAP.DLL allocates the texts it returns with LocalAlloc.
#include "zip_component.h"

#include <windows.h>

void FreeComponentText(char* text) { LocalFree(text); }
