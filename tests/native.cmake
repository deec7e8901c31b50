# The tests of the shared code, built and run natively.
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

add_test(NAME NativeReader.ReadsPackagesAsTheStubsDo
    COMMAND python3 -B ${PROJECT_SOURCE_DIR}/tests/reader_native.py $<TARGET_FILE:vnpunpack>
        ${PROJECT_SOURCE_DIR}/build/dist)
