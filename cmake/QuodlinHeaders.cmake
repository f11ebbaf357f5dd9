# Each library exports only its own headers. Since files include them by their path from the
# repository root ("core/...", "platform/..."), the root itself is nobody's include path: a
# library gets a folder of its own in the build tree that links to its headers under those same
# paths. A file then finds a header only if its target links the library that holds it.
function(quodlin_export_headers target scope)
    set(root ${PROJECT_BINARY_DIR}/include/${target})
    # Each argument is a folder, whose headers are all exported, or a single header.
    foreach(folderOrHeader IN LISTS ARGN)
        if(folderOrHeader MATCHES "[.]h$")
            set(headers ${folderOrHeader})
        else()
            file(GLOB headers CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR}
                 ${PROJECT_SOURCE_DIR}/${folderOrHeader}/*.h)
        endif()
        foreach(header IN LISTS headers)
            get_filename_component(folder ${root}/${header} DIRECTORY)
            file(MAKE_DIRECTORY ${folder})
            file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${header} ${root}/${header} SYMBOLIC
                 COPY_ON_ERROR)
        endforeach()
    endforeach()
    target_include_directories(${target} ${scope} ${root})
endfunction()
