# The release archive as a host vendor gets it: unpacked, it holds exactly
# the files its README lists, stripped binaries that load on XP SP3, and a
# demo host that runs the module from the unpacked folder.
#   -DZIP=... -DNAME=brenk_C-<version>-win32 -DWORK_DIR=... -DSOURCE_DIR=...
#   -DEMULATOR=... -DHOST_PREFIX=...
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${ZIP} WORKING_DIRECTORY ${WORK_DIR}
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "could not unpack ${ZIP}")
endif()
set(root ${WORK_DIR}/${NAME})

set(expected
    README.txt brenk_C.dll brenk_C.def libbrenk_C.dll.a demohost.exe TALVERIN.CNF
    tools/cardconv.exe tools/cnftool.exe
    standins-for-testing/PAVLO.DLL standins-for-testing/FENNIK.DLL standins-for-testing/README.md
    docs/README.md docs/demohost.md docs/cardconv.md docs/cnftool.md)
file(GLOB guides RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/docs/*.md)
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

file(READ ${root}/README.txt readme)
foreach(name ${binaries} brenk_C.def libbrenk_C.dll.a TALVERIN.CNF)
    get_filename_component(plain ${name} NAME)
    string(FIND "${readme}" "${plain}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "README.txt does not mention ${plain}")
    endif()
endforeach()

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
