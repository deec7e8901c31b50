# The manifest every shipped program carries: it runs with the rights of
# whoever starts it (no elevation because its name or version strings look
# like a setup's, and no writes moved aside into the user's virtual store),
# and it names the Windows versions it was made for (Vista, 7, 8, 8.1 and
# 10, which includes 11). The form is one that Windows XP before SP3 loads
# too: one namespace on each element and trustInfo in the asm.v2 namespace;
# Windows 95, 98 and NT 4.0 know no manifests and leave the resource alone.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(MANIFEST_ARCH amd64)
else()
    set(MANIFEST_ARCH X86)
endif()

# vornaly_manifest(target name): the manifest as the target's resource 1.
function(vornaly_manifest target name)
    set(MANIFEST_NAME ${name})
    set(folder ${CMAKE_BINARY_DIR}/manifests)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/program.manifest.in ${folder}/${target}.manifest
        @ONLY NEWLINE_STYLE CRLF)
    file(WRITE ${folder}/${target}.rc.in "1 24 \"${folder}/${target}.manifest\"\n")
    configure_file(${folder}/${target}.rc.in ${folder}/${target}.rc COPYONLY)
    target_sources(${target} PRIVATE ${folder}/${target}.rc)
    set_source_files_properties(${folder}/${target}.rc PROPERTIES
        OBJECT_DEPENDS ${folder}/${target}.manifest)
endfunction()
