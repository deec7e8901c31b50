# The Create's steps natively: the shared tests that need no window, and
# the Linux glue's own, on real files.
add_executable(package_native_tests tests/text_characters_test.cpp
    tests/unix/package_glue_test.cpp tests/support/scratch_folder.cpp)
target_include_directories(package_native_tests PRIVATE tests/support)
target_link_libraries(package_native_tests PRIVATE package_core GTest::gtest_main)
gtest_discover_tests(package_native_tests)
