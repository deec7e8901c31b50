# The zip component's archive reading, its pure rules, local times, and the
# worker threads that read and compress files, built natively from the
# sources MVWRAP.DLL is built from, with the Linux glue of this folder in
# place of windows/.
add_library(mvwrap_core STATIC
    mvwrap/compressor_pool.cpp
    mvwrap/dos_time.cpp
    mvwrap/file_read.cpp
    mvwrap/local_time.cpp
    mvwrap/name_order.cpp
    mvwrap/options.cpp
    mvwrap/text_codes.cpp
    mvwrap/zip_format.cpp
    mvwrap/zip_reader.cpp
    mvwrap/unix/file_system.cpp
    mvwrap/unix/local_time.cpp
    mvwrap/unix/threads.cpp)
target_include_directories(mvwrap_core PUBLIC mvwrap mvwrap/unix common)
find_package(Threads REQUIRED)
target_link_libraries(mvwrap_core PUBLIC common_text ZLIB::ZLIB Threads::Threads)
