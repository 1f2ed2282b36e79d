# Stages and zips the release (called by the "release" target, see
# release.cmake). The archive is the same byte for byte for the same sources:
# stripped binaries, files in a fixed order, one fixed time stamp (the
# commit's, or SOURCE_DATE_EPOCH), modes set here, no extra zip fields.

set(root ${STAGE}/${NAME})
file(REMOVE_RECURSE ${STAGE})

# One time for everything (see release-epoch.cmake): it goes into the zip
# entries and, through strip, into the PE headers.
file(READ ${EPOCH_FILE} epoch)

# destination (relative to the archive's top folder) and source, in pairs
set(binaries
    brenk_C.dll ${MODULE}
    demohost.exe ${DEMOHOST}
    tools/cardconv.exe ${CARDCONV}
    tools/cnftool.exe ${CNFTOOL}
    standins-for-testing/PAVLO.DLL ${PAVLO}
    standins-for-testing/FENNIK.DLL ${FENNIK})
set(documents
    brenk_C.def ${SOURCE_DIR}/resources/brenk_C.def
    libbrenk_C.dll.a ${IMPORT_LIBRARY}
    brenk_C.lib ${MSVC_IMPORT_LIBRARY}
    TALVERIN.CNF ${SOURCE_DIR}/data/sample/TALVERIN.CNF)
# The pages (destination, then the Markdown source) and the files they may
# link to, relative to SOURCE_DIR (see release-documents.cmake).
set(pages
    docs/README.html README.md
    docs/demohost.html host/README.md
    docs/cardconv.html tools/cardconv/README.md
    docs/cnftool.html tools/cnftool/README.md
    standins-for-testing/README.html standins/README.md
    samples/plain_host/README.html samples/plain_host/README.md)
file(GLOB guides RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/docs/*.md)
foreach(guide ${guides})
    string(REGEX REPLACE "\\.md$" ".html" page ${guide})
    list(APPEND pages ${page} ${guide})
endforeach()
set(files include/brenk_C.h include/brenk_C.h)
file(GLOB_RECURSE pictures RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/docs/images/*.png)
foreach(source ${pictures})
    list(APPEND files ${source} ${source})
endforeach()
foreach(name plain_host.c plain_host.rc Makefile CMakeLists.txt)
    list(APPEND files samples/plain_host/${name} samples/plain_host/${name})
endforeach()

# Splits a list of (destination, source) pairs into two lists.
function(split_pairs pairs destinationsVar sourcesVar)
    set(destinations)
    set(sources)
    set(isSource FALSE)
    foreach(item ${pairs})
        if(isSource)
            list(APPEND sources ${item})
            set(isSource FALSE)
        else()
            list(APPEND destinations ${item})
            set(isSource TRUE)
        endif()
    endforeach()
    set(${destinationsVar} ${destinations} PARENT_SCOPE)
    set(${sourcesVar} ${sources} PARENT_SCOPE)
endfunction()

# Copies (or strips) each source to its destination; a relative source is
# relative to SOURCE_DIR.
function(stage_pairs pairs strip)
    split_pairs("${pairs}" destinations sources)
    foreach(destination source IN ZIP_LISTS destinations sources)
        if(NOT IS_ABSOLUTE ${source})
            set(source ${SOURCE_DIR}/${source})
        endif()
        get_filename_component(folder ${root}/${destination} DIRECTORY)
        file(MAKE_DIRECTORY ${folder})
        if(strip)
            # strip writes a PE time stamp: the fixed one, not the clock's.
            execute_process(COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${epoch}
                ${STRIP} --strip-all -o ${root}/${destination} ${source}
                RESULT_VARIABLE status)
            if(NOT status EQUAL 0)
                message(FATAL_ERROR "could not strip ${source}")
            endif()
        else()
            file(COPY_FILE ${source} ${root}/${destination})
        endif()
    endforeach()
endfunction()
stage_pairs("${binaries}" TRUE)
stage_pairs("${documents}" FALSE)
stage_pairs("${files}" FALSE)
include(${SOURCE_DIR}/cmake/release-documents.cmake)
render_pages("${pages}" "${files}")
configure_file(${SOURCE_DIR}/cmake/release-readme.txt.in ${root}/README.txt @ONLY NEWLINE_STYLE CRLF)

file(GLOB_RECURSE entries LIST_DIRECTORIES false RELATIVE ${STAGE} ${root}/*)
list(SORT entries)
foreach(entry ${entries})
    if(entry MATCHES "\\.(exe|dll|DLL)$")
        file(CHMOD ${STAGE}/${entry} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
            GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    else()
        file(CHMOD ${STAGE}/${entry} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    endif()
endforeach()

file(REMOVE ${ZIP})
find_program(zipProgram zip)
find_program(touchProgram touch)
if(zipProgram AND touchProgram)
    foreach(entry ${entries})
        execute_process(COMMAND ${touchProgram} -d @${epoch} ${STAGE}/${entry})
    endforeach()
    # -X: no extra fields (they would carry access and change times and the
    # builder's user); -D: no folder entries; TZ: zip stores local time.
    execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${zipProgram} -X -D -q -9 ${ZIP} ${entries}
        WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE status)
else()
    message(WARNING "zip or touch not found: the archive is made by CMake and is not byte-reproducible")
    execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip -- ${entries}
        WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE status)
endif()
if(NOT status EQUAL 0)
    message(FATAL_ERROR "could not write ${ZIP}")
endif()
