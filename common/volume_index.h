// What a file or folder is, whatever path names it: the volume and the
// file's index there (the volume serial number and file index on Windows,
// st_dev and st_ino natively). Every spelling of one file (an 8.3 name,
// other letter case, a second drive letter, a link to its folder) has the
// same identity, so a file is told apart by this and never by how its path
// is spelled. Shared by the Create and the zip component; each asks its
// system in its own glue.
#ifndef COMMON_VOLUME_INDEX_H
#define COMMON_VOLUME_INDEX_H

#include <stdint.h>

struct PathIdentity {
    uint64_t volume = 0;
    uint64_t index = 0;
};

inline bool operator==(const PathIdentity& a, const PathIdentity& b) {
    return a.volume == b.volume && a.index == b.index;
}

#endif
