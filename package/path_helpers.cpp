#include "path_helpers.h"

#include "path_separator.h"

// Every search runs over the code page's characters: in the double-byte
// code pages the second byte of a character may be "\", and it separates
// nothing. The separator is the system's (path_separator.h).

std::string FileNamePart(const std::string& path, const text::LeadBytes& lead) {
    const char* slash = text::LastCharacter(path.c_str(), kPathSeparator, lead);
    return slash ? std::string(slash + 1) : path;
}

std::string FolderPart(const std::string& path, const text::LeadBytes& lead) {
    return path.substr(0, path.size() - FileNamePart(path, lead).size());
}

std::string ExtensionPart(const std::string& path, const text::LeadBytes& lead) {
    std::string name = FileNamePart(path, lead);
    const char* dot = text::LastCharacter(name.c_str(), '.', lead);
    return dot ? std::string(dot + 1) : std::string();
}

std::string BaseNamePart(const std::string& path, const text::LeadBytes& lead) {
    std::string name = FileNamePart(path, lead);
    const char* dot = text::FirstCharacter(name.c_str(), '.', lead);
    return dot ? name.substr(0, size_t(dot - name.c_str())) : name;
}

std::string StripBackslash(const std::string& path, const text::LeadBytes& lead) {
    if (path.size() > 3 && text::EndsWith(path.c_str(), kPathSeparator, lead))
        return path.substr(0, path.size() - 1);
    return path;
}

std::string ShortPrefix(const std::string& text, const text::LeadBytes& lead) {
    return text.substr(0, text::CharactersLength(text.c_str(), 4, lead));
}

std::string WithTrailingBackslash(const std::string& path, const text::LeadBytes& lead) {
    if (path.empty() || text::EndsWith(path.c_str(), kPathSeparator, lead)) return path;
    return path + kPathSeparator;
}

std::string WithoutLeadingBlanks(const std::string& text) {
    const std::string::size_type first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

std::string CutTo(const std::string& text, std::string::size_type limit,
                  const text::LeadBytes& lead) {
    std::string::size_type whole = 0;
    while (whole < text.size()) {
        std::string::size_type next =
            whole + text::CharacterBytes(text.data(), whole, text.size(), lead);
        if (next > limit) break;
        whole = next;
    }
    return text.substr(0, whole);
}
