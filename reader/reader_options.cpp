#include "reader_options.h"

#include <stdlib.h>
#include <string.h>

const char kReaderUsage[] =
    "Usage: vnpunpack list [--json] [--code-page=N] PACKAGE.exe\n"
    "       vnpunpack test [--code-page=N] PACKAGE.exe\n"
    "       vnpunpack extract [--password=TEXT] [--code-page=N] PACKAGE.exe FOLDER\n"
    "Reads a Vornaly installation package, or the first piece of one cut for\n"
    "diskettes, whose other pieces lie beside it.\n"
    "  list         the start program, the password's presence, the pieces and\n"
    "               every file: size, packed size, time, CRC-32, attributes\n"
    "  test         the checks of the package's own /T; exit code 0 when complete\n"
    "  extract      every file into FOLDER, with its time and attributes\n"
    "  --json       list as one JSON object\n"
    "  --password=TEXT  the package's password, to extract a protected package\n"
    "                   (a gate the package keeps: its files are not encrypted)\n"
    "  --code-page=N    read names in Windows code page N (default: the locale's)\n"
    "Exit codes: 0 done, 1 a damaged or refused package, 2 bad usage.\n";

namespace {

bool Starts(const char* text, const char* start) {
    return strncmp(text, start, strlen(start)) == 0;
}

}  // namespace

std::string ParseReaderOptions(int argc, const char* const* argv, ReaderOptions& options) {
    options = ReaderOptions();
    if (argc < 2) return "Say what to do: list, test or extract.";
    const std::string command = argv[1];
    if (command == "--help" || command == "-h") return "";
    if (command == "--version") {
        options.command = ReaderCommand::kVersion;
        return "";
    }
    if (command == "list")
        options.command = ReaderCommand::kList;
    else if (command == "test")
        options.command = ReaderCommand::kTest;
    else if (command == "extract")
        options.command = ReaderCommand::kExtract;
    else
        return "Unknown command " + command + ": use list, test or extract.";
    std::string places[2];
    int placed = 0;
    for (int i = 2; i < argc; ++i) {
        const char* argument = argv[i];
        if (strcmp(argument, "--json") == 0 && options.command == ReaderCommand::kList) {
            options.json = true;
        } else if (Starts(argument, "--password=") && options.command == ReaderCommand::kExtract) {
            options.passwordGiven = true;
            options.password = argument + strlen("--password=");
        } else if (Starts(argument, "--code-page=")) {
            char* end = nullptr;
            const char* digits = argument + strlen("--code-page=");
            unsigned long codePage = strtoul(digits, &end, 10);
            if (!*digits || *end || codePage == 0 || codePage > 65535)
                return std::string("The code page ") + digits + " is not a number.";
            options.codePage = unsigned(codePage);
        } else if (argument[0] == '-' && argument[1] != 0) {
            return std::string("Unknown switch ") + argument + ".";
        } else if (placed < 2) {
            places[placed++] = argument;
        } else {
            return std::string("Unexpected argument ") + argument + ".";
        }
    }
    const int wanted = options.command == ReaderCommand::kExtract ? 2 : 1;
    if (placed != wanted)
        return wanted == 2 ? "Name the package and the folder to extract it into."
                           : "Name the package.";
    options.package = places[0];
    options.folder = places[1];
    return "";
}
