#include "file_filters.h"

#include "path_helpers.h"
#include "upper_case.h"

namespace {

constexpr std::string::size_type MaxDialogFilter = 255;

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

}  // namespace

std::string BuildFilterText(const std::vector<std::string>& filterList,
                            const std::string& lastExtension, uint16_t& filterIndex) {
    const std::string wanted = "." + UpperCased(lastExtension);
    std::string text;
    for (size_t i = 0; i < filterList.size(); ++i) {
        if (i > 0) text += '|';
        text += filterList[i];
        if (Contains(UpperCased(filterList[i]), wanted)) filterIndex = static_cast<uint16_t>(i + 1);
    }
    return text;
}

void PrepareFilters(FileDialogMemory& memory, const std::vector<std::string>& callerFilters,
                    uint16_t& filterIndex) {
    if (memory.filterText.empty()) memory.filterList = callerFilters;
    if (memory.lastExtension.empty()) memory.lastExtension = "*";
    memory.filterText =
        CutTo(BuildFilterText(memory.filterList, memory.lastExtension, filterIndex), MaxFilterText);
}

std::string TakeChoice(FileDialogMemory& memory, const std::string& fileName) {
    if (Contains(fileName, "*")) return "";
    const std::string extension = CutTo(ExtensionPart(fileName), MaxExtensionText);
    memory.lastExtension = extension;
    if (extension.empty()) return fileName;
    if (Contains(memory.filterText, "." + extension)) return fileName;
    const std::string upper = UpperCased(extension);
    for (const std::string& item : memory.filterList)
        if (Contains(UpperCased(item), upper)) return fileName;
    memory.filterList.push_back(extension + " files|*." + extension);
    return fileName;
}

std::string DialogFilterText(const std::string& filterText) {
    std::string text = filterText + '|';
    for (char& c : text)
        if (c == '|') c = '\0';
    return CutTo(text, MaxDialogFilter);
}
