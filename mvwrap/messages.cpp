// The component's error messages, and the texts it hands to callers. Every
// error number gets its sentence here and nowhere else.
#include <string>

#include "barrier.h"
#include "caller_text.h"
#include "failures.h"
#include "mvwrap.h"

namespace {

// A sentence naming the failure's subject at "%s", and one for when no
// failure of that number has been recorded.
struct Message {
    int number;
    const char* named;
    const char* unnamed;
};

const Message kMessages[] = {
    {MVWRAP_OK, nullptr, "The zip operation succeeded."},
    {MVWRAP_NOT_RUNNING, nullptr, "The zip component is not running."},
    {MVWRAP_ALREADY_RUNNING, nullptr, "The zip component is already running."},
    {MVWRAP_BAD_PATTERN, "The file pattern \"%s\" does not name a folder and the files in it.",
     "The file pattern does not name a folder and the files in it."},
    {MVWRAP_FOLDER_MISSING, "The folder \"%s\" does not exist.",
     "A folder to be zipped does not exist."},
    {MVWRAP_BAD_OPTION, "The zip option \"%s\" is not known.", "A zip option is not known."},
    {MVWRAP_BAD_LEVEL, "The compression level %s is not one of -1 to 9.",
     "The compression level is not one of -1 to 9."},
    {MVWRAP_PASSWORD, nullptr, "Archives protected by a password cannot be made."},
    {MVWRAP_FILE_LOCKED, "The file \"%s\" is in use by another program; close it and try again.",
     "A file to be zipped is in use by another program; close it and try again."},
    {MVWRAP_FILE_UNREADABLE, "The file or folder \"%s\" could not be read.",
     "A file or folder to be zipped could not be read."},
    {MVWRAP_ARCHIVE_DAMAGED,
     "The archive \"%s\" is damaged or is not a zip archive, so nothing can be added to it.",
     "The archive is damaged or is not a zip archive, so nothing can be added to it."},
    {MVWRAP_ARCHIVE_UNWRITABLE, "The archive \"%s\" could not be written.",
     "The archive could not be written."},
    {MVWRAP_DISK_FULL, "The disk is full, so the archive \"%s\" could not be written.",
     "The disk is full, so the archive could not be written."},
    {MVWRAP_TOO_LARGE,
     "The archive \"%s\" would be larger than 4 GB, more than a zip archive can hold.",
     "The archive would be larger than 4 GB, more than a zip archive can hold."},
    {MVWRAP_TOO_MANY,
     "The archive \"%s\" would hold more than 65,535 files, more than a zip archive can hold.",
     "The archive would hold more than 65,535 files, more than a zip archive can hold."},
    {MVWRAP_NO_MEMORY, nullptr, "There was not enough memory to compress the files."},
    {MVWRAP_BAD_ARGUMENT, nullptr, "A number the zip component needs was not passed to it."},
    {MVWRAP_DEVICE_NAME, "The file \"%s\" has a name that Windows keeps for a device; rename it.",
     "A file to be zipped has a name that Windows keeps for a device; rename it."},
    {MVWRAP_NAME_CLASH,
     "The files %s differ only in letter case, and Windows cannot hold both; rename one.",
     "Two files to be zipped differ only in letter case, and Windows cannot hold both; rename "
     "one."},
};

std::string Sentence(int number) {
    for (const Message& message : kMessages) {
        if (message.number != number) continue;
        std::string subject = mvwrap::FailureSubject(number);
        if (!message.named || subject.empty()) return message.unnamed;
        std::string text = message.named;
        return text.replace(text.find("%s"), 2, subject);
    }
    return "The zip component reported an unknown error.";
}

}  // namespace

char* __stdcall ZipError(const int16_t* number) {
    return mvwrap::Guarded(
        [&] { return mvwrap::CallerText(number ? Sentence(*number).c_str() : ""); },
        [](int32_t) { return mvwrap::CallerText(""); });
}
