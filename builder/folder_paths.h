// What the builder asks the system about the names on its command line:
// the full path the Open dialog would hand back, and what lies there. Each
// system's body is in its glue folder (windows/, unix/).
#ifndef BUILDER_FOLDER_PATHS_H
#define BUILDER_FOLDER_PATHS_H

#include <string>

// Whole, however long: a longer path than the Create can hold is refused by
// name, never cut.
std::string FullPath(const std::string& path);

enum class PathKind { kMissing, kFile, kFolder };
PathKind KindOfPath(const std::string& path);

#endif
