# Makes the two import libraries of the release from the module's export
# list: brenk_C.lib for Microsoft's linker (and lld) with llvm-dlltool, and
# libbrenk_C.dll.a for MinGW with MinGW's dlltool. A caller compiled with
# brenk_C.h refers to _DemoInit@20; the .def names the export DemoInit.
# dlltool's -k ties the two: the libraries' symbols keep the argument size,
# the names imported do not. The sizes are read from the module's own
# symbols, so they are the code's. Both tools run inside WORK on relative
# names, so no folder of the build ends up in a library.
#   -DLLVM_DLLTOOL=... -DMINGW_DLLTOOL=... -DNM=... -DMODULE=<unstripped brenk_C.dll>
#   -DDEF=... -DWORK=...     (writes WORK/brenk_C.lib and WORK/libbrenk_C.dll.a)
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
foreach(tool_library ${LLVM_DLLTOOL}=brenk_C.lib ${MINGW_DLLTOOL}=libbrenk_C.dll.a)
    string(REGEX REPLACE "=.*" "" tool ${tool_library})
    string(REGEX REPLACE ".*=" "" library ${tool_library})
    file(REMOVE ${WORK}/${library})
    execute_process(COMMAND ${tool} -m i386 -d brenk_C-stdcall.def -l ${library} -k
        WORKING_DIRECTORY ${WORK} RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${tool} could not make ${library}")
    endif()
endforeach()
