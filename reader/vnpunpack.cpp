// vnpunpack: lists, tests and extracts installation packages on Linux, by
// the packages' own reading code.
#include <stdio.h>

#include <iostream>

#include "extraction.h"
#include "listing.h"
#include "opened_package.h"
#include "package_test.h"
#include "reader_options.h"
#include "stub_messages.h"
#include "unix/ansi_code_page_choice.h"

namespace {

const int kDamaged = 1, kUsage = 2;

int Extract(const ReaderOptions& options) {
    OpenedPackage package;
    if (!package.Open(options.package)) return kDamaged;
    if (package.HasPassword()) {
        if (!options.passwordGiven) {
            stub::ShowError("%s is protected by a password: give it with --password=TEXT.",
                            options.package.c_str());
            return kUsage;
        }
        std::string typed;
        if (!PasswordInCodePage(options.password, typed) || !package.RightPassword(typed.c_str())) {
            stub::ShowError("The password given is not right.");
            return kDamaged;
        }
    }
    return ExtractPackage(package, options.folder);
}

}  // namespace

int main(int argc, char** argv) {
    ReaderOptions options;
    std::string fault = ParseReaderOptions(argc, argv, options);
    if (!fault.empty()) {
        fprintf(stderr, "vnpunpack: %s\n%s", fault.c_str(), kReaderUsage);
        return kUsage;
    }
    if (options.command == ReaderCommand::kHelp) {
        fputs(kReaderUsage, stdout);
        return 0;
    }
    if (options.command == ReaderCommand::kVersion) {
        printf("vnpunpack %s\n", VORNALY_VERSION);
        return 0;
    }
    if (options.codePage && !text::ChooseAnsiCodePage(options.codePage)) {
        fprintf(stderr, "vnpunpack: this system cannot convert code page %u.\n", options.codePage);
        return kUsage;
    }
    if (options.command == ReaderCommand::kTest) return TestPackage(options.package);
    if (options.command == ReaderCommand::kExtract) return Extract(options);
    OpenedPackage package;
    if (!package.Open(options.package)) return kDamaged;
    if (options.json)
        ListJson(package, options.package, std::cout);
    else
        ListPlain(package, options.package, std::cout);
    return 0;
}
