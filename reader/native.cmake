# vnpunpack, the package reader for Linux.
find_package(Threads REQUIRED)
add_library(reader_core STATIC reader/extraction.cpp reader/extraction_changes.cpp
    reader/listing.cpp
    reader/opened_package.cpp reader/package_test.cpp reader/reader_options.cpp)
target_include_directories(reader_core PUBLIC reader)
target_link_libraries(reader_core PUBLIC stub_reading Threads::Threads)

add_executable(vnpunpack reader/vnpunpack.cpp)
# The version the About box shows.
target_compile_definitions(vnpunpack PRIVATE VORNALY_VERSION="2.0")
target_link_libraries(vnpunpack PRIVATE reader_core)
