// Natively the component allocates the texts it returns with malloc.
#include "zip_component.h"

#include <stdlib.h>

void FreeComponentText(char* text) { free(text); }
