# The release archive brenk_C-<version>-win32.zip, made by the target
# "release" of the 32-bit Windows tree (and with every build of it, since it
# is cheap and the tests check it). Where each file goes is make-release.cmake's
# business; this only says what the archive is made from.

set(BRENK_RELEASE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-win32)
set(BRENK_RELEASE_ZIP ${PROJECT_BINARY_DIR}/${BRENK_RELEASE_NAME}.zip)

set(release_targets brenk_C PAVLO FENNIK demohost cardconv cnftool)
set(release_documents
    ${PROJECT_SOURCE_DIR}/README.md
    ${PROJECT_SOURCE_DIR}/host/README.md
    ${PROJECT_SOURCE_DIR}/standins/README.md
    ${PROJECT_SOURCE_DIR}/tools/cardconv/README.md
    ${PROJECT_SOURCE_DIR}/tools/cnftool/README.md
    ${PROJECT_SOURCE_DIR}/resources/brenk_C.def
    ${PROJECT_SOURCE_DIR}/data/sample/TALVERIN.CNF
    ${PROJECT_SOURCE_DIR}/cmake/release-readme.txt.in
    ${PROJECT_SOURCE_DIR}/cmake/release-page.html.in
    ${PROJECT_SOURCE_DIR}/cmake/release-documents.cmake
    ${PROJECT_SOURCE_DIR}/include/brenk_C.h
    ${PROJECT_SOURCE_DIR}/samples/plain_host/plain_host.c
    ${PROJECT_SOURCE_DIR}/samples/plain_host/plain_host.rc
    ${PROJECT_SOURCE_DIR}/samples/plain_host/Makefile
    ${PROJECT_SOURCE_DIR}/samples/plain_host/CMakeLists.txt
    ${PROJECT_SOURCE_DIR}/samples/plain_host/README.md)
file(GLOB release_guides CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/*.md
    ${PROJECT_SOURCE_DIR}/docs/images/*.png)

# The import libraries for Microsoft's linker (and lld) and for MinGW, from
# the export list and the argument sizes of the module's own symbols.
find_program(BRENK_LLVM_DLLTOOL NAMES llvm-dlltool llvm-dlltool-14 REQUIRED)
find_program(BRENK_MINGW_DLLTOOL NAMES i686-w64-mingw32-dlltool REQUIRED)
set(import_library_folder ${PROJECT_BINARY_DIR}/import-libraries)
set(BRENK_MSVC_IMPORT_LIBRARY ${import_library_folder}/brenk_C.lib)
set(BRENK_MINGW_IMPORT_LIBRARY ${import_library_folder}/libbrenk_C.dll.a)
add_custom_command(OUTPUT ${BRENK_MSVC_IMPORT_LIBRARY} ${BRENK_MINGW_IMPORT_LIBRARY}
    COMMAND ${CMAKE_COMMAND} -DLLVM_DLLTOOL=${BRENK_LLVM_DLLTOOL}
        -DMINGW_DLLTOOL=${BRENK_MINGW_DLLTOOL} -DNM=${CMAKE_NM}
        -DMODULE=$<TARGET_FILE:brenk_C> -DDEF=${PROJECT_SOURCE_DIR}/resources/brenk_C.def
        -DWORK=${import_library_folder} -P ${CMAKE_CURRENT_LIST_DIR}/import-libraries.cmake
    DEPENDS brenk_C ${PROJECT_SOURCE_DIR}/resources/brenk_C.def
        ${CMAKE_CURRENT_LIST_DIR}/import-libraries.cmake
    COMMENT "Import libraries brenk_C.lib and libbrenk_C.dll.a"
    VERBATIM)

# The documents as HTML pages (Python-Markdown, the one Debian packages).
find_program(BRENK_MARKDOWN NAMES markdown_py REQUIRED)

# The archive's time stamp, looked at with every build (see release-epoch.cmake).
set(release_epoch_file ${PROJECT_BINARY_DIR}/release-epoch.txt)
add_custom_target(release_epoch
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DOUT=${release_epoch_file}
        -P ${CMAKE_CURRENT_LIST_DIR}/release-epoch.cmake
    BYPRODUCTS ${release_epoch_file}
    VERBATIM)

add_custom_command(OUTPUT ${BRENK_RELEASE_ZIP}
    COMMAND ${CMAKE_COMMAND}
        -DEPOCH_FILE=${release_epoch_file}
        -DNAME=${BRENK_RELEASE_NAME}
        -DVERSION=${PROJECT_VERSION}
        -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
        -DSTAGE=${PROJECT_BINARY_DIR}/release
        -DZIP=${BRENK_RELEASE_ZIP}
        -DSTRIP=${CMAKE_STRIP}
        -DMODULE=$<TARGET_FILE:brenk_C>
        -DIMPORT_LIBRARY=${BRENK_MINGW_IMPORT_LIBRARY}
        -DMSVC_IMPORT_LIBRARY=${BRENK_MSVC_IMPORT_LIBRARY}
        -DMARKDOWN=${BRENK_MARKDOWN}
        -DPAVLO=$<TARGET_FILE:PAVLO>
        -DFENNIK=$<TARGET_FILE:FENNIK>
        -DDEMOHOST=$<TARGET_FILE:demohost>
        -DCARDCONV=$<TARGET_FILE:cardconv>
        -DCNFTOOL=$<TARGET_FILE:cnftool>
        -P ${CMAKE_CURRENT_LIST_DIR}/make-release.cmake
    DEPENDS ${release_targets} ${release_documents} ${release_guides} ${release_epoch_file}
        ${BRENK_MSVC_IMPORT_LIBRARY} ${BRENK_MINGW_IMPORT_LIBRARY}
        ${CMAKE_CURRENT_LIST_DIR}/make-release.cmake
    COMMENT "Release archive ${BRENK_RELEASE_NAME}.zip"
    VERBATIM)
add_custom_target(release ALL DEPENDS ${BRENK_RELEASE_ZIP})
add_dependencies(release release_epoch)

if(BRENK_TESTS)
    # What ships: plain export names, only imports XP SP3 has, and the same
    # bytes from a second build elsewhere (alone: it builds the tree again).
    set(shipped_binaries $<TARGET_FILE:brenk_C> $<TARGET_FILE:PAVLO> $<TARGET_FILE:FENNIK>
        $<TARGET_FILE:demohost> $<TARGET_FILE:cardconv> $<TARGET_FILE:cnftool>)
    add_test(NAME ship.exports
        COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/check-exports.sh $<TARGET_FILE:brenk_C>)
    add_test(NAME ship.imports
        COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/check-imports.sh ${shipped_binaries})
    add_test(NAME ship.reproducible
        COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/check-reproducible.sh
            ${PROJECT_BINARY_DIR} ${PROJECT_BINARY_DIR}-again)
    # The host's header as a vendor's compiler sees it: strict C89, and C++.
    add_test(NAME ship.header_c89 COMMAND ${CMAKE_C_COMPILER} -x c -std=c89 -pedantic -Werror
        -Wall -Wextra -fsyntax-only ${PROJECT_SOURCE_DIR}/include/brenk_C.h)
    add_test(NAME ship.header_cxx COMMAND ${CMAKE_CXX_COMPILER} -x c++ -std=c++98 -pedantic
        -Werror -Wall -Wextra -fsyntax-only ${PROJECT_SOURCE_DIR}/include/brenk_C.h)
    # ASLR, DEP, NO_SEH (and no handler registered), relocations, section
    # rights, the stack protector and version information, of the binaries
    # built and of those in the archive.
    add_test(NAME ship.hardening
        COMMAND python3 ${PROJECT_SOURCE_DIR}/scripts/check-hardening.py
            --version ${PROJECT_VERSION} --company ${BRENK_COMPANY_NAME}
            --archive ${BRENK_RELEASE_ZIP} ${shipped_binaries})
    set_tests_properties(ship.exports ship.imports ship.reproducible ship.header_c89
        ship.header_cxx ship.hardening PROPERTIES LABELS ship)
    set_tests_properties(ship.reproducible PROPERTIES RUN_SERIAL ON TIMEOUT 600)
endif()
