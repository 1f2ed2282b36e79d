# brenk_version_info(target file description): gives a shipped binary its
# version resource (cmake/version-info.rc.in), a DLL's with FILETYPE VFT_DLL,
# a program's with VFT_APP. wine.release_archive reads them back.
function(brenk_version_info target file description)
    get_target_property(kind ${target} TYPE)
    if(kind STREQUAL "SHARED_LIBRARY")
        set(type VFT_DLL)
    else()
        set(type VFT_APP)
    endif()
    get_filename_component(name ${file} NAME_WE)
    set(script ${PROJECT_BINARY_DIR}/generated/version-info/${target}.rc)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/version-info.rc.in ${script} @ONLY)
    target_sources(${target} PRIVATE ${script})
endfunction()
