// The switches a package takes, and the private ones the outer stub hands to
// the inner stub. Pure parsing of the command line's text.
#ifndef STUBS_COMMAND_LINE_H
#define STUBS_COMMAND_LINE_H

#include <stdint.h>

namespace stub {

const uint32_t kArgumentRoom = 520;

// The next argument of a command line, with quotes removed wherever they
// stand ("/X:"C:\My Folder"" gives /X:C:\My Folder); false at the end.
bool NextArgument(const char*& cursor, char* argument, uint32_t room);

// The command line without the program's own name.
const char* SkipProgramName(const char* commandLine);

struct PackageSwitches {
    bool help = false;
    bool quiet = false;
    bool extractOnly = false;
    bool passwordGiven = false;
    char folder[kArgumentRoom] = {};
    char password[kArgumentRoom] = {};
    char unknown[kArgumentRoom] = {};  // the first switch not understood
};

// /X:folder, /Q, /P:text, /? (letters in either case). False, with the
// offending argument kept, for anything else, a switch given twice, or /X
// without a folder.
bool ParsePackageSwitches(const char* arguments, PackageSwitches& switches);

// Texts that may hold anything travel between the stubs as hexadecimal.
void ToHex(const void* bytes, uint32_t length, char* hex);
// False unless the text is exactly length bytes' worth of hexadecimal.
bool FromHex(const char* hex, void* bytes, uint32_t length);

}  // namespace stub

#endif
