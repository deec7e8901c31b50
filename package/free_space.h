// Room on the disk a file is to be written to.
#ifndef PACKAGE_FREE_SPACE_H
#define PACKAGE_FREE_SPACE_H

#include <cstdint>
#include <string>

// The free bytes of the volume that path lies on, a network share
// included; 0 when it cannot be asked; at most 2,147,483,648.
uint32_t FreeBytesAt(const std::string& path);

#endif
