# Cross build for 32-bit Windows with mingw-w64. VORNALY_THREAD_MODEL picks
# the compilers' thread model: posix (the default) for the test suite, since
# GoogleTest needs std::mutex, which the win32 model lacks; win32 for the
# program folder that ships, since the posix runtime imports functions that
# Windows 98 and NT 4.0 lack (vectored exception handlers, among others).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

if(NOT VORNALY_THREAD_MODEL)
    set(VORNALY_THREAD_MODEL posix)
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VORNALY_THREAD_MODEL)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-${VORNALY_THREAD_MODEL})
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-${VORNALY_THREAD_MODEL})
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
