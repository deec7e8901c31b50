# The binaries that ship in the program folder (build/dist): they must start
# on Windows XP, and they go onto diskettes. vornaly_prepare_shipped() finds
# every program and DLL that is built into the folder, wherever it is
# defined, so that a new one gets the same treatment without a line of its
# own. Tests stay as they are.

# The posix-thread runtime imports GetTickCount64, which XP lacks; this
# object supplies it instead.
add_library(vornaly_xp_floor OBJECT ${PROJECT_SOURCE_DIR}/common/tick_count64.c)

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
        target_sources(${target} PRIVATE $<TARGET_OBJECTS:vornaly_xp_floor>)
        # Symbols and debug information stay out of release builds.
        target_link_options(${target} PRIVATE $<$<CONFIG:Release,MinSizeRel>:-s>)
    endforeach()
endfunction()
