// What the test support declares natively in Windows' terms: file attributes
// by their Windows numbers, which the Linux glue shows as Wine does (hidden
// and system stored as Wine stores them, read-only as no write permission).
#ifndef TESTS_SUPPORT_TEST_SYSTEM_H
#define TESTS_SUPPORT_TEST_SYSTEM_H

#include <stdint.h>

using DWORD = uint32_t;

constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x01;
constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x02;
constexpr DWORD FILE_ATTRIBUTE_SYSTEM = 0x04;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;

#endif
