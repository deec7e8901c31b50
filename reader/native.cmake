# vnpunpack, the package reader for Linux.
add_library(reader_core STATIC reader/extraction.cpp reader/listing.cpp
    reader/opened_package.cpp reader/reader_options.cpp)
target_include_directories(reader_core PUBLIC reader)
target_link_libraries(reader_core PUBLIC stub_reading)

add_executable(vnpunpack reader/vnpunpack.cpp)
# The version the About box shows.
target_compile_definitions(vnpunpack PRIVATE VORNALY_VERSION="2.0")
target_link_libraries(vnpunpack PRIVATE reader_core)
