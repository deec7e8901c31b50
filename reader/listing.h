// What `list` prints of an opened package: a table for people, or one JSON
// object for scripts, whose shape the man page documents.
#ifndef READER_LISTING_H
#define READER_LISTING_H

#include <ostream>
#include <string>

#include "opened_package.h"

void ListPlain(const OpenedPackage& package, const std::string& path, std::ostream& out);
void ListJson(const OpenedPackage& package, const std::string& path, std::ostream& out);

#endif
