# The committed sample catalogue is what cnftool builds from its source today.
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${CNFTOOL} build ${SOURCE} -o ${WORK}/TALVERIN.CNF RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cnftool build ${SOURCE} failed (${status})")
endif()
file(SHA256 ${WORK}/TALVERIN.CNF built)
file(SHA256 ${COMMITTED} committed)
if(NOT built STREQUAL committed)
    message(FATAL_ERROR "${COMMITTED} is stale: refresh it with\n"
        "  build/native/tools/cnftool/cnftool build data/sample/talverin.ini -o data/sample/TALVERIN.CNF")
endif()
