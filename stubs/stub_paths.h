// The paths the stubs build, each checked against the platform's MAX_PATH:
// a path that does not fit is refused, never cut, and the caller names it
// in its error.
#ifndef STUBS_STUB_PATHS_H
#define STUBS_STUB_PATHS_H

namespace stub {

// The full path of a path given on the command line into full (MAX_PATH
// characters of room); false when it is no valid path or does not fit.
bool FullPath(const char* path, char* full);

// folder, a backslash where it has none at its end, and name into path
// (MAX_PATH characters of room); false when it does not fit.
bool JoinPath(const char* folder, const char* name, char* path);

}  // namespace stub

#endif
