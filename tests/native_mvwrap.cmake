# The zip component's tests of its shared code, natively, from the sources
# its Windows tests are built from. Local times are checked in a zone with
# daylight-saving time, as on Windows.
add_executable(mvwrap_format_tests tests/mvwrap_format_test.cpp tests/mvwrap_local_time_test.cpp
    tests/mvwrap_read_test.cpp tests/support/scratch_folder.cpp
    tests/support/unix/system_text.cpp)
target_include_directories(mvwrap_format_tests PRIVATE tests/support)
target_link_libraries(mvwrap_format_tests PRIVATE mvwrap_core GTest::gtest_main)
gtest_discover_tests(mvwrap_format_tests PROPERTIES ENVIRONMENT TZ=Europe/Berlin)
