# The zip component's tests of its shared code, natively, from the sources
# its Windows tests are built from. Local times are checked in a zone with
# daylight-saving time, as on Windows.
add_executable(mvwrap_format_tests tests/mvwrap_format_test.cpp tests/mvwrap_local_time_test.cpp
    tests/mvwrap_read_test.cpp tests/support/scratch_folder.cpp
    tests/support/unix/system_text.cpp)
target_include_directories(mvwrap_format_tests PRIVATE tests/support)
target_link_libraries(mvwrap_format_tests PRIVATE mvwrap_core GTest::gtest_main)
gtest_discover_tests(mvwrap_format_tests PROPERTIES ENVIRONMENT TZ=Europe/Berlin)

# The component's archive operations through its C interface, as the Windows
# suite calls MVWRAP.DLL, and the Linux listing's own table; in code page
# 1252, as a Wine prefix under an English locale has it.
add_executable(mvwrap_api_tests tests/mvwrap_archive_test.cpp tests/unix/mvwrap_listing_test.cpp tests/support/component_calls.cpp
    tests/support/unix/caller_texts.cpp tests/support/unix/temp_dir.cpp)
target_include_directories(mvwrap_api_tests PRIVATE tests/support tests/support/unix)
target_link_libraries(mvwrap_api_tests PRIVATE mvwrap_api GTest::gtest_main)
gtest_discover_tests(mvwrap_api_tests PROPERTIES ENVIRONMENT "LC_ALL=en_US.UTF-8;TZ=Europe/Berlin")
