# Runs demohost.exe unattended (under the cross-compiling emulator) and checks
# its exit code, log and screenshots.
#   -DEMULATOR=... -DDEMOHOST=... -DWORK_DIR=... -DMODE=full|bad-option
# The program runs in WORK_DIR but shares the Wine prefix of the other Windows
# tests, beside the programs.
if(NOT MODE)
    set(MODE full)
endif()
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
get_filename_component(program_dir ${DEMOHOST} DIRECTORY)
if(NOT DEFINED ENV{BRENK_WINEPREFIX})
    set(ENV{BRENK_WINEPREFIX} ${program_dir}/wineprefix)
endif()

function(expect_in_log pattern)
    string(REGEX MATCH "${pattern}" found "${log}")
    if(NOT found)
        message(FATAL_ERROR "demohost.log has no line matching \"${pattern}\":\n${log}")
    endif()
endfunction()

if(MODE STREQUAL "bad-option")
    execute_process(COMMAND ${EMULATOR} ${DEMOHOST} --frobnicate --exit-when-done
        WORKING_DIRECTORY ${WORK_DIR} RESULT_VARIABLE code TIMEOUT 120)
    if(NOT code EQUAL 3)
        message(FATAL_ERROR "an unknown option should exit with 3, got ${code}")
    endif()
    file(READ ${WORK_DIR}/demohost.log log)
    expect_in_log("bad command line: unknown argument \"--frobnicate\"")
    return()
endif()

# The whole demonstration: slide show, page 1, script phase, end. The host
# ends the script phase itself after a few seconds, as the menu's End would.
execute_process(COMMAND ${EMULATOR} ${DEMOHOST} --exit-when-done --screenshots shots
    --timeout 90 --end-script-after 3
    WORKING_DIRECTORY ${WORK_DIR} RESULT_VARIABLE code TIMEOUT 120)
set(shots ${WORK_DIR}/shots)
file(READ ${shots}/demohost.log log)
if(NOT code EQUAL 0)
    message(FATAL_ERROR "demohost exited with ${code}:\n${log}")
endif()
expect_in_log("VerFun -> \"")
expect_in_log("textreq 6145 size 99")
expect_in_log("DemoInit language 0 catalogue \"[^\"]*\\\\\" -> 1")
expect_in_log("DemoCommand 1901 0 -> [03]")
expect_in_log("DemoTick -> 3|DemoCommand 1901 0 -> 3")
expect_in_log("script phase limit reached: ending")
expect_in_log("DemoCommand 1903 0 -> 4")
expect_in_log("DemoFree")
expect_in_log("demonstration over")
expect_in_log("exit 0")
if(NOT EXISTS ${shots}/01-start.bmp)
    message(FATAL_ERROR "no screenshot of the start")
endif()
file(GLOB script_shots ${shots}/*-script.bmp)
if(NOT script_shots)
    message(FATAL_ERROR "no screenshot of the script phase")
endif()
file(GLOB end_shots ${shots}/*-end.bmp)
if(NOT end_shots)
    message(FATAL_ERROR "no screenshot of the end")
endif()
