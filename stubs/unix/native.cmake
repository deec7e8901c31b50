# The stubs' reading code built natively for the package reader: the same
# sources as the Windows stubs' (package layout, record, pieces, archive
# directory, entry data and names, the test of a whole package), with the
# Linux glue of this folder and of common/unix.
add_library(stub_reading STATIC
    stubs/archive_check.cpp
    stubs/archive_names.cpp
    stubs/entry_clashes.cpp
    stubs/entry_data.cpp
    stubs/entry_paths.cpp
    stubs/install_record.cpp
    stubs/package_check.cpp
    stubs/package_layout.cpp
    stubs/piece_chain.cpp
    stubs/record_code_pages.cpp
    stubs/start_program.cpp
    stubs/zip_directory.cpp
    stubs/unix/code_pages.cpp
    stubs/unix/file_source.cpp
    stubs/unix/piece_search.cpp
    stubs/unix/stub_messages.cpp)
target_include_directories(stub_reading PUBLIC stubs stubs/unix common)
target_link_libraries(stub_reading PUBLIC common_text ZLIB::ZLIB)
