#include "executable_entries.h"

#include <cstdint>
#include <string>

#include "mvwrap.h"
#include "path_helpers.h"
#include "upper_case.h"
#include "working_values.h"
#include "zip_component.h"

namespace {

// Leading blanks and folder parts cannot change what follows the last ".".
bool IsExecutableEntry(const std::string& name) { return UpperCased(ExtensionPart(name)) == "EXE"; }

}  // namespace

void ListExecutableEntries(HWND list) {
    int32_t count = ZipCount(ArchivePath.c_str());
    // The component numbers its entries from 0.
    for (int32_t index = 0; index < count; ++index) {
        std::string name = CutTo(TakeComponentText(Zipped(&index)), MaxPathText);
        if (IsExecutableEntry(name))
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
}
