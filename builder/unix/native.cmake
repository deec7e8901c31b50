# vnpmake, the builder for Linux: the Create's steps and the zip component
# built natively, with the command line in the form Linux commands take.
add_executable(vnpmake builder/unix/vnpmake.cpp builder/unix/command_line.cpp
    builder/unix/console_text.cpp builder/unix/folder_paths.cpp builder/unix/request_text.cpp
    builder/unix/stub_folder.cpp builder/console_front.cpp)
target_include_directories(vnpmake PRIVATE builder builder/unix)
target_compile_definitions(vnpmake PRIVATE VORNALY_VERSION="2.0")
target_link_libraries(vnpmake PRIVATE package_core mvwrap_api)
