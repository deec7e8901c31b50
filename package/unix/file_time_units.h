// File times between Linux's timespec and the 100 ns since 1601 that
// FileTimes counts in, as Wine converts them.
#ifndef PACKAGE_UNIX_FILE_TIME_UNITS_H
#define PACKAGE_UNIX_FILE_TIME_UNITS_H

#include "file_times.h"

// The times of the open file; creation is its birth time where the file
// system keeps one, else its change time, as Wine reports it.
bool ReadFileTimes(int fd, FileTimes& times);

// Sets last access and last write; a zero time stays as it is.
bool WriteFileTimes(int fd, const FileTimes& times);

#endif
