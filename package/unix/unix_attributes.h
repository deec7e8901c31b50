// The attributes Wine shows for a Linux file, from its name, its path for
// the system and its status: shared by the attribute reader and the folder
// search, so that both see a file alike.
#ifndef PACKAGE_UNIX_UNIX_ATTRIBUTES_H
#define PACKAGE_UNIX_UNIX_ATTRIBUTES_H

#include <sys/stat.h>

#include <cstdint>
#include <string>

uint32_t AttributesOf(const std::string& name, const char* systemPath, const struct stat& status);

#endif
