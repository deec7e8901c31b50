#include "file_errors.h"

int LastFileErrorNumber() { return FileErrorNumber(LastPlatformError()); }

void ThrowLastFileError() { throw FileError{LastFileErrorNumber()}; }
