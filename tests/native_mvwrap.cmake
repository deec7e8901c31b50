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
# 1252, as Wine has it under an English locale.
add_executable(mvwrap_api_tests tests/mvwrap_archive_test.cpp tests/mvwrap_refused_names_test.cpp
    tests/unix/mvwrap_listing_test.cpp tests/support/component_calls.cpp
    tests/support/unix/component_glue.cpp tests/support/unix/system_text.cpp
    tests/support/unix/temp_dir.cpp)
target_include_directories(mvwrap_api_tests PRIVATE tests/support tests/support/unix)
target_link_libraries(mvwrap_api_tests PRIVATE mvwrap_api GTest::gtest_main)
# Names in one folder that differ only in letter case, as the Windows suite
# makes them on the host for Wine to list.
set(NATIVE_CASE_CLASH_DIR ${CMAKE_BINARY_DIR}/tests/case-clash)
target_compile_definitions(mvwrap_api_tests PRIVATE
    CASE_CLASH_UNIX_PATH="${NATIVE_CASE_CLASH_DIR}")
add_test(NAME NativeCaseClash.Make COMMAND sh -c
    "rm -rf $0 && mkdir -p $0/files $0/file-folder/B.TXT $0/folders/Data $0/folders/data && touch $0/files/B.txt $0/files/b.txt $0/file-folder/b.txt $0/file-folder/B.TXT/inside.txt $0/folders/Data/inside.txt $0/folders/data/inside.txt"
    ${NATIVE_CASE_CLASH_DIR})
set_tests_properties(NativeCaseClash.Make PROPERTIES FIXTURES_SETUP native_case_clash)
gtest_discover_tests(mvwrap_api_tests PROPERTIES
    ENVIRONMENT LC_ALL=en_US.UTF-8 FIXTURES_REQUIRED native_case_clash)
