// The room the stubs give a path or a name: what the system's ANSI file
// calls take (MAX_PATH).
#ifndef STUBS_PATH_ROOM_H
#define STUBS_PATH_ROOM_H

namespace stub {

const int kPathRoom = 260;

}  // namespace stub

#endif
