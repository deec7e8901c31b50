# The binaries that ship in the program folder (build/dist): they must start
# on every Windows the program names, and they go onto diskettes. vornaly_prepare_shipped() finds
# every program and DLL that is built into the folder, wherever it is
# defined, so that a new one gets the same treatment without a line of its
# own. Tests stay as they are.

# The thread runtime's locks make their semaphores with CreateSemaphoreW,
# which fails on Windows 95, 98 and ME; this object makes them anywhere.
add_library(vornaly_runtime_shims OBJECT ${PROJECT_SOURCE_DIR}/common/unnamed_semaphores.c)

function(vornaly_targets_below directory result)
    get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
    get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
    foreach(subdirectory IN LISTS subdirectories)
        vornaly_targets_below(${subdirectory} more)
        list(APPEND targets ${more})
    endforeach()
    set(${result} ${targets} PARENT_SCOPE)
endfunction()

# Call once, at the end of the top-level CMakeLists.txt.
function(vornaly_prepare_shipped)
    vornaly_targets_below(${PROJECT_SOURCE_DIR} targets)
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        if(NOT type MATCHES "^(EXECUTABLE|SHARED_LIBRARY|MODULE_LIBRARY)$")
            continue()
        endif()
        get_target_property(folder ${target} RUNTIME_OUTPUT_DIRECTORY)
        if(NOT folder STREQUAL VORNALY_DIST_DIR)
            continue()
        endif()
        target_sources(${target} PRIVATE $<TARGET_OBJECTS:vornaly_runtime_shims>)
        # Symbols and debug information stay out of release builds, and no
        # time stamp goes in, so that one commit always gives the same bytes.
        target_link_options(${target} PRIVATE $<$<CONFIG:Release,MinSizeRel>:-s>
            -Wl,--no-insert-timestamp)
    endforeach()
endfunction()
