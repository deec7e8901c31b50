# The zip component built natively from the sources MVWRAP.DLL is built
# from, with the Linux glue of this folder in place of windows/: its inner
# workings (mvwrap_core), and its C interface as a static library that the
# native programs link to call RunMorvane, Zzip, ... directly (mvwrap_api).
add_library(mvwrap_core STATIC
    mvwrap/archive_output.cpp
    mvwrap/barrier.cpp
    mvwrap/compressor_pool.cpp
    mvwrap/device_names.cpp
    mvwrap/dos_time.cpp
    mvwrap/entry_writer.cpp
    mvwrap/failures.cpp
    mvwrap/file_read.cpp
    mvwrap/file_search.cpp
    mvwrap/known_archive.cpp
    mvwrap/local_time.cpp
    mvwrap/name_order.cpp
    mvwrap/never_packed.cpp
    mvwrap/options.cpp
    mvwrap/text_codes.cpp
    mvwrap/zip_format.cpp
    mvwrap/zip_job.cpp
    mvwrap/zip_reader.cpp
    mvwrap/unix/ansi_text.cpp
    mvwrap/unix/archive_file.cpp
    mvwrap/unix/caller_text.cpp
    mvwrap/unix/file_system.cpp
    mvwrap/unix/folder_listing.cpp
    mvwrap/unix/local_time.cpp
    mvwrap/unix/path_identity.cpp
    mvwrap/unix/threads.cpp)
target_include_directories(mvwrap_core PUBLIC mvwrap mvwrap/unix common common/unix)
find_package(Threads REQUIRED)
target_link_libraries(mvwrap_core PUBLIC common_text ZLIB::ZLIB Threads::Threads)

add_library(mvwrap_api STATIC mvwrap/archive.cpp mvwrap/lifecycle.cpp mvwrap/messages.cpp)
target_link_libraries(mvwrap_api PUBLIC mvwrap_core)
