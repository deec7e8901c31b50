// The switches a package takes, and the private ones the outer stub hands to
// the inner stub. Pure parsing of the command line's text.
#ifndef STUBS_COMMAND_LINE_H
#define STUBS_COMMAND_LINE_H

#include <stdint.h>

namespace stub {

const uint32_t kArgumentRoom = 520;

// The next argument of a command line, with quotes removed wherever they
// stand ("/X:"C:\My Folder"" gives /X:C:\My Folder); false at the end. An
// argument longer than the room is cut, and tooLong (when given) says so.
bool NextArgument(const char*& cursor, char* argument, uint32_t room, bool* tooLong = nullptr);

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
    bool tooLong;  // unknown is the start of an argument that does not fit
    char log[kArgumentRoom];
    char folder[kArgumentRoom];
    char password[kArgumentRoom];
    char unknown[kArgumentRoom];  // the first switch not understood
};

// /X:folder, /Q or /Q:A, /P:text, /T, /L:file, /? (letters in either case).
// False, with the first offending argument kept, for anything else, a switch
// given twice, or /X or /L without a name. The whole line is read even then:
// /Q:A anywhere means no window, and a log named anywhere takes the error.
bool ParsePackageSwitches(const char* arguments, PackageSwitches& switches);

// Builds a command line part by part in a buffer of fixed room; a part that
// does not fit leaves the line as it was and Fits() false from then on, so
// that a line is passed whole or not at all.
class LineWriter {
public:
    LineWriter(char* text, uint32_t room);
    LineWriter& operator<<(const char* part);
    bool Fits() const { return fits_; }
    // Characters the whole line would take, whether it fits or not.
    uint32_t Needed() const { return needed_; }

private:
    char* text_;
    uint32_t room_;
    uint32_t length_ = 0;
    uint32_t needed_ = 0;
    bool fits_ = true;
};

// Texts that may hold anything travel between the stubs as hexadecimal.
void ToHex(const void* bytes, uint32_t length, char* hex);
// False unless the text is exactly length bytes' worth of hexadecimal.
bool FromHex(const char* hex, void* bytes, uint32_t length);

}  // namespace stub

#endif
