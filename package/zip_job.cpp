#include "zip_job.h"

#include "create_front.h"
#include "mvwrap.h"
#include "path_helpers.h"
#include "working_values.h"
#include "zip_component.h"

namespace {

// Item texts are read up to this length, patterns kept up to the other.
constexpr std::string::size_type MaxItemText = 255;
constexpr std::string::size_type MaxPatternText = 1023;

void PrepareComponent() {
    const int16_t noSearchLimit = -1;
    SetSearchLimit(&noSearchLimit);
    const int16_t tries = 10;
    const int32_t seconds = 1;
    SetRetryOptions(&tries, &seconds);
}

void ShowZipError(int16_t number) {
    Front().ShowMessage(TakeComponentText(ZipError(&number)), ZipJobCaption, MessageOk);
}

std::string LastEntryName(const std::string& archive) {
    int32_t last = ZipCount(archive.c_str()) - 1;
    return TakeComponentText(Zipped(&last));
}

}  // namespace

std::string ZipPattern(const std::string& item) {
    return CutTo(WithTrailingBackslash(WithoutLeadingBlanks(item)) + "*.*", MaxPatternText);
}

int16_t ZipSetupList(std::string& lastEntryName) {
    PrepareComponent();
    PasswordText.clear();
    CreateFront& front = Front();
    const int count = front.SetupCount();
    if (count <= 0) return 0;
    front.ProgressStart(static_cast<uint32_t>(count));
    const char options[] = " -whs";
    const int32_t defaultLevel = -1;
    for (int i = 0; i < count; ++i) {
        const std::string item = CutTo(front.SetupItem(i), MaxItemText);
        std::string pattern = ZipPattern(item);
        int32_t result = Zzip(ArchivePath.c_str(), pattern.c_str(), options, PasswordText.c_str(),
                              &defaultLevel);
        if (result != 0) {
            int16_t number = static_cast<int16_t>(result & 0xFFFF);
            ShowZipError(number);
            return number;
        }
        front.FolderZipped(item);
        front.PumpOneMessage();
        // Exit stops the component before it posts the quit request; going on
        // would only report the stopped component's failures to a user who
        // has asked to leave.
        if (front.QuitRequested()) return ZipJobStopped;
    }
    lastEntryName = LastEntryName(ArchivePath);
    return 0;
}
