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

// Cleared by ParsePackageSwitches: without initializers here, the stubs'
// compiler clears it instead of copying 2 KB of zeros kept in the file.
struct PackageSwitches {
    bool help;
    bool quiet;
    bool extractOnly;
    bool passwordGiven;
    bool quietAll;  // /Q:A, no window at all
    bool test;
    bool logGiven;
    char log[kArgumentRoom];
    char folder[kArgumentRoom];
    char password[kArgumentRoom];
    char unknown[kArgumentRoom];  // the first switch not understood
};

// /X:folder, /Q or /Q:A, /P:text, /T, /L:file, /? (letters in either case).
// False, with the offending argument kept, for anything else, a switch
// given twice, or /X or /L without a name.
bool ParsePackageSwitches(const char* arguments, PackageSwitches& switches);

// Texts that may hold anything travel between the stubs as hexadecimal.
void ToHex(const void* bytes, uint32_t length, char* hex);
// False unless the text is exactly length bytes' worth of hexadecimal.
bool FromHex(const char* hex, void* bytes, uint32_t length);

}  // namespace stub

#endif
