# The Create's steps built natively from the sources the Windows program is
# built from, with the Linux glue of this folder (and zip/unix) in place of
# windows/. The folder order of setup lists and start programs comes from
# ICU's collator.
find_package(ICU REQUIRED COMPONENTS uc i18n)
add_library(package_core STATIC
    stubs/record_room.cpp
    package/binary_file.cpp
    package/create_front.cpp
    package/create_package.cpp
    package/executable_entries.cpp
    package/file_attributes.cpp
    package/file_copy.cpp
    package/file_errors.cpp
    package/file_identities.cpp
    package/folder_search.cpp
    package/list_order.cpp
    package/package_format.cpp
    package/package_limits.cpp
    package/package_writers.cpp
    package/path_helpers.cpp
    package/set_aside.cpp
    package/spanning.cpp
    package/text_characters.cpp
    package/upper_case.cpp
    package/working_files.cpp
    package/working_values.cpp
    package/zip_job.cpp
    package/unix/binary_file.cpp
    package/unix/file_attributes.cpp
    package/unix/file_errors.cpp
    package/unix/file_identities.cpp
    package/unix/file_operations.cpp
    package/unix/file_time_units.cpp
    package/unix/folder_search.cpp
    package/unix/free_space.cpp
    package/unix/list_order.cpp
    package/unix/list_order_rules.cpp
    package/unix/platform_paths.cpp
    package/unix/system_names.cpp
    package/unix/ticks.cpp
    package/unix/working_hold.cpp
    zip/zip_component.cpp
    zip/unix/component_text.cpp)
target_include_directories(package_core PUBLIC package package/unix zip mvwrap)
target_link_libraries(package_core PUBLIC stub_reading common_text ICU::uc ICU::i18n)
