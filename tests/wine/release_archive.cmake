# The release archive as a host vendor gets it: unpacked, it holds exactly
# the files its README lists, stripped binaries that load on XP SP3, pages
# whose every link and picture lies inside it, a demo host that runs the
# module from the unpacked folder, and a sample host that builds from the
# archive alone, with MinGW's gcc and with clang and lld against brenk_C.lib,
# and runs a demonstration to its end.
#   -DZIP=... -DNAME=brenk_C-<version>-win32 -DWORK_DIR=... -DSOURCE_DIR=...
#   -DEMULATOR=... -DHOST_PREFIX=... -DGCC=... -DWINDRES=... -DOBJDUMP=...
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${ZIP} WORKING_DIRECTORY ${WORK_DIR}
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "could not unpack ${ZIP}")
endif()
set(root ${WORK_DIR}/${NAME})

set(sample samples/plain_host)
set(expected
    README.txt brenk_C.dll brenk_C.def libbrenk_C.dll.a brenk_C.lib include/brenk_C.h
    demohost.exe TALVERIN.CNF tools/cardconv.exe tools/cnftool.exe
    standins-for-testing/PAVLO.DLL standins-for-testing/FENNIK.DLL
    standins-for-testing/README.html
    docs/README.html docs/demohost.html docs/cardconv.html docs/cnftool.html
    ${sample}/README.html ${sample}/plain_host.c ${sample}/plain_host.rc ${sample}/Makefile
    ${sample}/CMakeLists.txt)
file(GLOB guides RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/docs/*.md ${SOURCE_DIR}/docs/images/*.png)
string(REPLACE ".md" ".html" guides "${guides}")
list(APPEND expected ${guides})
file(GLOB_RECURSE found LIST_DIRECTORIES false RELATIVE ${root} ${root}/*)
list(SORT expected)
list(REMOVE_DUPLICATES expected)
list(SORT found)
if(NOT found STREQUAL expected)
    message(FATAL_ERROR "the archive holds\n  ${found}\nexpected\n  ${expected}")
endif()

set(binaries brenk_C.dll demohost.exe tools/cardconv.exe tools/cnftool.exe
    standins-for-testing/PAVLO.DLL standins-for-testing/FENNIK.DLL)
set(paths)
foreach(binary ${binaries})
    file(STRINGS ${root}/${binary} debugNames REGEX "\\.debug_(info|line|str)" LIMIT_COUNT 1)
    if(debugNames)
        message(FATAL_ERROR "${binary} still has debug information")
    endif()
    list(APPEND paths ${root}/${binary})
endforeach()
execute_process(COMMAND bash ${SOURCE_DIR}/scripts/check-imports.sh ${paths} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the archive's binaries import what XP SP3 lacks (above)")
endif()
execute_process(COMMAND bash ${SOURCE_DIR}/scripts/check-exports.sh ${root}/brenk_C.dll
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the archive's module has the wrong exports (above)")
endif()

# Each binary's version information: the seven names, each with a value;
# FILEVERSION the project's version; FILETYPE VFT_DLL (2) or VFT_APP (1).
string(REGEX MATCH "([0-9]+)\\.([0-9]+)\\.([0-9]+)" version ${NAME})
math(EXPR versionHigh "${CMAKE_MATCH_1} * 65536 + ${CMAKE_MATCH_2}" OUTPUT_FORMAT HEXADECIMAL)
math(EXPR versionLow "${CMAKE_MATCH_3} * 65536" OUTPUT_FORMAT HEXADECIMAL)
function(fixed_info_word hex index out) # a little-endian dword of VS_FIXEDFILEINFO
    math(EXPR at "${fixedAt} + ${index} * 8")
    string(SUBSTRING ${hex} ${at} 8 word)
    string(REGEX REPLACE "(..)(..)(..)(..)" "0x\\4\\3\\2\\1" word ${word})
    math(EXPR word "${word}" OUTPUT_FORMAT HEXADECIMAL)
    set(${out} ${word} PARENT_SCOPE)
endfunction()
foreach(binary ${binaries})
    file(READ ${root}/${binary} hex HEX)
    foreach(key CompanyName FileDescription FileVersion InternalName OriginalFilename
            ProductName ProductVersion)
        # A String entry: wLength, wValueLength (characters, NUL included),
        # wType 1, the key in UTF-16 with its NUL, the value.
        string(HEX ${key} keyHex)
        string(REGEX REPLACE "(..)" "\\100" keyHex ${keyHex})
        string(FIND "${hex}" "0100${keyHex}0000" at)
        if(at EQUAL -1)
            message(FATAL_ERROR "${binary}: no ${key} in its version information")
        endif()
        math(EXPR at "${at} - 4")
        string(SUBSTRING ${hex} ${at} 4 valueLength)
        string(REGEX REPLACE "(..)(..)" "0x\\2\\1" valueLength ${valueLength})
        math(EXPR valueLength "${valueLength}")
        if(valueLength LESS_EQUAL 1)
            message(FATAL_ERROR "${binary}: ${key} has no value")
        endif()
    endforeach()
    string(FIND "${hex}" "bd04effe" fixedAt)
    if(fixedAt EQUAL -1)
        message(FATAL_ERROR "${binary}: no version information")
    endif()
    fixed_info_word("${hex}" 2 high)
    fixed_info_word("${hex}" 3 low)
    fixed_info_word("${hex}" 9 type)
    set(wanted 0x1)
    if(binary MATCHES "\\.(dll|DLL)$")
        set(wanted 0x2)
    endif()
    if(NOT high STREQUAL versionHigh OR NOT low STREQUAL versionLow
            OR NOT type STREQUAL wanted)
        message(FATAL_ERROR "${binary}: FILEVERSION ${high} ${low} and FILETYPE ${type}, "
            "expected ${versionHigh} ${versionLow} and ${wanted}")
    endif()
endforeach()

file(READ ${root}/README.txt readme)
foreach(name ${binaries} brenk_C.def libbrenk_C.dll.a brenk_C.lib brenk_C.h TALVERIN.CNF)
    get_filename_component(plain ${name} NAME)
    string(FIND "${readme}" "${plain}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "README.txt does not mention ${plain}")
    endif()
endforeach()

# Every page's links and pictures name a file of the archive.
file(GLOB_RECURSE pages ${root}/*.html)
foreach(page ${pages})
    file(READ ${page} html)
    get_filename_component(folder ${page} DIRECTORY)
    string(REGEX MATCHALL "(href|src)=\"[^\"#]+" links "${html}")
    foreach(link ${links})
        string(REGEX REPLACE "^[a-z]+=\"" "" target "${link}")
        if(target MATCHES "^[a-z]+:" OR NOT EXISTS ${folder}/${target})
            message(FATAL_ERROR "${page}: ${target} is not in the archive")
        endif()
    endforeach()
endforeach()

# The sample host from the archive alone, each build in a folder of its own:
# gcc binding by name, gcc through libbrenk_C.dll.a, clang and lld through
# brenk_C.lib; the import tables must name the exports as the module does.
execute_process(COMMAND ${GCC} -print-libgcc-file-name OUTPUT_VARIABLE libgcc
    OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(libgccFolder ${libgcc} DIRECTORY)
find_program(CLANG clang REQUIRED)
set(gccBuild CC=${GCC})
set(gcc-importsBuild CC=${GCC} IMPORTS=1)
set(lldBuild "CC=${CLANG} --target=i686-w64-mingw32 -fuse-ld=lld -L${libgccFolder}" IMPORTS=1
    IMPORT_LIBRARY=${root}/brenk_C.lib)
foreach(build gcc gcc-imports lld)
    set(folder ${WORK_DIR}/sample-${build})
    file(COPY ${root}/${sample}/ DESTINATION ${folder})
    execute_process(COMMAND make BRENK=${root} WINDRES=${WINDRES} ${${build}Build}
        WORKING_DIRECTORY ${folder} RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "the sample host does not build with ${build} from the archive")
    endif()
    file(COPY_FILE ${folder}/plain_host.exe ${root}/plain_host-${build}.exe)
endforeach()
foreach(build gcc-imports lld)
    execute_process(COMMAND ${OBJDUMP} -p ${root}/plain_host-${build}.exe OUTPUT_VARIABLE imports)
    string(REGEX MATCH "DLL Name: brenk_C.dll\n[^\n]*\n(\t[^\n]+\n)+" moduleImports "${imports}")
    foreach(name DemoInit DemoFree DemoTick DemoPaint DemoCommand DemoHelp VerFun)
        if(NOT moduleImports MATCHES "[ \t]${name}\n")
            message(FATAL_ERROR "plain_host-${build}.exe does not import ${name} plainly:\n${imports}")
        endif()
    endforeach()
endforeach()

# The runs, where 32-bit programs run: the demo host, and both sample hosts
# through a demonstration to its end (exit code 0).
execute_process(COMMAND /usr/lib/wine/wine --version RESULT_VARIABLE can32 OUTPUT_QUIET ERROR_QUIET)
if(NOT can32 EQUAL 0)
    message(STATUS "the demo host and the sample hosts are not run: this machine runs no 32-bit programs")
    return()
endif()
# As README.txt says: the stand-ins beside the module for the slide show.
file(COPY ${root}/standins-for-testing/PAVLO.DLL ${root}/standins-for-testing/FENNIK.DLL
    DESTINATION ${root})
execute_process(COMMAND ${CMAKE_COMMAND} -DMODE=release -DEMULATOR=${EMULATOR}
        -DDEMOHOST=${root}/demohost.exe -DWORK_DIR=${WORK_DIR}/run -DHOST_PREFIX=${HOST_PREFIX}
        -P ${SOURCE_DIR}/host/tests/run_demohost.cmake
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the unpacked demo host did not run the module")
endif()

set(ENV{WINEPREFIX} ${HOST_PREFIX})
set(ENV{WINEDEBUG} -all)
find_program(XVFB_RUN xvfb-run)
if(XVFB_RUN)
    unset(ENV{DISPLAY})
endif()
foreach(build gcc lld)
    execute_process(COMMAND ${EMULATOR} ./plain_host-${build}.exe --exit-when-done
            --log plain_host-${build}.log
        WORKING_DIRECTORY ${root} RESULT_VARIABLE code TIMEOUT 120)
    file(READ ${root}/plain_host-${build}.log log)
    if(NOT code EQUAL 0 OR NOT log MATCHES "-> 4\n")
        message(FATAL_ERROR "the sample host built with ${build} did not run to the end (${code}):\n${log}")
    endif()
endforeach()
