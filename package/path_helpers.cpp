#include "path_helpers.h"

std::string FileNamePart(const std::string& path) {
    std::string::size_type slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderPart(const std::string& path) {
    return path.substr(0, path.size() - FileNamePart(path).size());
}

std::string ExtensionPart(const std::string& path) {
    std::string name = FileNamePart(path);
    std::string::size_type dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string BaseNamePart(const std::string& path) {
    std::string name = FileNamePart(path);
    return name.substr(0, name.find('.'));
}

std::string StripBackslash(const std::string& path) {
    if (path.size() > 3 && path.back() == '\\') return path.substr(0, path.size() - 1);
    return path;
}

std::string ShortPrefix(const std::string& text) { return text.substr(0, 4); }

std::string WithTrailingBackslash(const std::string& path) {
    if (path.empty() || path.back() == '\\') return path;
    return path + '\\';
}

std::string WithoutLeadingBlanks(const std::string& text) {
    const std::string::size_type first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

std::string CutTo(const std::string& text, std::string::size_type limit) {
    return text.substr(0, limit);
}
