// The DOS attributes Linux has no bit for (hidden 0x02, system 0x04), kept
// where Wine keeps them: the user.DOSATTRIB extended attribute, "0x" and
// the bits in hex. Read-only is the file's mode, and a name beginning with
// "." counts as hidden wherever the caller lists it; neither is here.
#ifndef COMMON_UNIX_DOS_ATTRIBUTES_H
#define COMMON_UNIX_DOS_ATTRIBUTES_H

// The hidden and system bits stored for the file at path (UTF-8); 0 where
// none are stored or the file system keeps no extended attributes.
unsigned StoredDosAttributes(const char* path);

// Stores the hidden and system bits of `attributes`, or removes the
// attribute when neither is set, as Wine does. False when the file system
// refused to store set bits.
bool StoreDosAttributes(const char* path, unsigned attributes);

#endif
