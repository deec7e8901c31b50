// The reader's command line: a command, its switches in the form Linux
// commands take them, the package and (to extract) the folder. Pure.
#ifndef READER_READER_OPTIONS_H
#define READER_READER_OPTIONS_H

#include <string>

enum class ReaderCommand { kList, kTest, kExtract, kHelp, kVersion };

struct ReaderOptions {
    ReaderCommand command = ReaderCommand::kHelp;
    bool json = false;           // list: one JSON object instead of the table
    bool passwordGiven = false;  // extract: --password
    std::string password;
    unsigned codePage = 0;  // --code-page; 0: the locale's
    std::string package, folder;
};

// The options of argv[1] on; "" when they are understood, or else one
// sentence on what is wrong.
std::string ParseReaderOptions(int argc, const char* const* argv, ReaderOptions& options);

// What --help prints.
extern const char kReaderUsage[];

#endif
