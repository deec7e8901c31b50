// The system's own declarations for the test support: Windows' headers.
#ifndef TESTS_SUPPORT_TEST_SYSTEM_H
#define TESTS_SUPPORT_TEST_SYSTEM_H

#include <windows.h>

#endif
