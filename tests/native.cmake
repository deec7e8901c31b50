# The tests of the shared code, built and run natively.
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

add_test(NAME NativeReader.ReadsPackagesAsTheStubsDo
    COMMAND python3 -B ${PROJECT_SOURCE_DIR}/tests/reader_native.py $<TARGET_FILE:vnpunpack>
        ${PROJECT_SOURCE_DIR}/build/dist)

# The tests of the pure code the Create and the stubs share, compiled from
# the sources the Windows suite compiles them from.
# The Linux glue's own tests beside them.
add_executable(core_tests tests/code_page_text_test.cpp tests/package_format_test.cpp
    tests/path_helpers_test.cpp tests/upper_case_test.cpp tests/unix/code_pages_test.cpp
    package/package_format.cpp package/path_helpers.cpp package/upper_case.cpp)
target_include_directories(core_tests PRIVATE package)
target_link_libraries(core_tests PRIVATE stub_reading GTest::gtest_main)
gtest_discover_tests(core_tests)

include(tests/native_mvwrap.cmake)
include(tests/native_package.cmake)

# The native builder's refusals, each leaving the output folder as it was.
add_test(NAME NativeBuilder.RefusesAndLeavesTheFolderAsItWas
    COMMAND python3 -B ${PROJECT_SOURCE_DIR}/tests/native_builder.py $<TARGET_FILE:vnpmake>
        ${PROJECT_SOURCE_DIR}/build/dist)
add_test(NAME NativeBuilder.ReadmeBuildScriptMakesPiecesThatPass
    COMMAND python3 -B ${PROJECT_SOURCE_DIR}/tests/native_readme.py ${PROJECT_SOURCE_DIR}/README.md
        $<TARGET_FILE:vnpmake> $<TARGET_FILE:vnpunpack> ${PROJECT_SOURCE_DIR}/build/dist)
# Set against the Windows build's under Wine by the Windows suite
# (native_order.py).
add_executable(order_probe tests/order_probe.cpp)
target_link_libraries(order_probe PRIVATE package_core mvwrap_core)
