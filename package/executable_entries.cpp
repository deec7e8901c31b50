#include "executable_entries.h"

#include <cstdint>
#include <string>

#include "list_order.h"
#include "mvwrap.h"
#include "path_helpers.h"
#include "upper_case.h"
#include "working_values.h"
#include "zip_component.h"

namespace {

// Leading blanks and folder parts cannot change what follows the last ".".
bool IsExecutableEntry(const std::string& name) { return UpperCased(ExtensionPart(name)) == "EXE"; }

}  // namespace

std::vector<std::string> ExecutableEntries() {
    std::vector<std::string> entries;
    int32_t count = ZipCount(ArchivePath.c_str());
    // The component numbers its entries from 0.
    for (int32_t index = 0; index < count; ++index) {
        std::string name = CutTo(TakeComponentText(Zipped(&index)), MaxPathText);
        if (IsExecutableEntry(name)) InsertInListOrder(entries, name);
    }
    return entries;
}
