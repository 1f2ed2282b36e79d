# Makes brenk_C.lib, the import library for Microsoft's linker (and lld),
# from the module's export list. A caller compiled with brenk_C.h refers to
# _DemoInit@20; the .def names the export DemoInit. dlltool's -k ties the two:
# the library's symbols keep the argument size, the names imported do not.
# The sizes are read from the module's own symbols, so they are the code's.
#   -DDLLTOOL=... -DNM=... -DMODULE=<unstripped brenk_C.dll> -DDEF=... -DWORK=... -DOUT=...
execute_process(COMMAND ${NM} --defined-only ${MODULE} OUTPUT_VARIABLE symbols
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "could not read the symbols of ${MODULE}")
endif()
file(STRINGS ${DEF} lines)
set(exports "LIBRARY brenk_C.dll\nEXPORTS\n")
set(inside OFF)
foreach(line ${lines})
    string(STRIP "${line}" name)
    if(name STREQUAL "EXPORTS")
        set(inside ON)
    elseif(inside AND name MATCHES "^[A-Za-z_][A-Za-z0-9_]*$")
        if(NOT symbols MATCHES " _${name}@([0-9]+)\n")
            message(FATAL_ERROR "${MODULE} has no stdcall symbol for the export ${name}")
        endif()
        string(APPEND exports "    ${name}@${CMAKE_MATCH_1}\n")
    endif()
endforeach()
file(MAKE_DIRECTORY ${WORK})
file(WRITE ${WORK}/brenk_C-stdcall.def "${exports}")
execute_process(COMMAND ${DLLTOOL} -m i386 -d ${WORK}/brenk_C-stdcall.def -l ${OUT} -k
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${DLLTOOL} could not make ${OUT}")
endif()
