# The programs that run natively on the host, built with its own compiler
# from the sources the Windows programs are built from, with the Linux glue
# in place of the Windows glue (the unix/ folders beside the windows/ ones).
# The test tree builds everything under the address and undefined-behaviour
# sanitizers (VORNALY_SANITIZE) and runs the tests of the shared code here.
option(VORNALY_SANITIZE "Build under AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(VORNALY_TESTS "Build the native tests" ON)

set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
add_compile_options(-Wall -Wextra)
if(VORNALY_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
else()
    # Hardened as Debian builds its programs.
    add_compile_options(-D_FORTIFY_SOURCE=2 -fstack-protector-strong)
    add_link_options(-Wl,-z,relro -Wl,-z,now)
endif()
find_package(ZLIB REQUIRED)

# The text code of common/ that the stubs' reading code, the zip component
# and the Create share, built once: pure text, and the code page chosen and
# converted to and from UTF-8 on Linux.
add_library(common_text STATIC common/code_page_text.cpp common/locale_code_page.cpp
    common/utf8.cpp common/unix/ansi_code_page.cpp common/unix/system_text.cpp
    common/unix/dos_attributes.cpp)
target_include_directories(common_text PUBLIC common common/unix)

include(mvwrap/unix/native.cmake)
include(stubs/unix/native.cmake)
include(package/unix/native.cmake)
include(builder/unix/native.cmake)
include(reader/native.cmake)

if(VORNALY_TESTS)
    enable_testing()
    include(tests/native.cmake)
endif()
