# Runs demohost.exe unattended (under the cross-compiling emulator) and checks
# its exit code, log and screenshots.
#   -DEMULATOR=... -DDEMOHOST=... -DWORK_DIR=... -DMODE=full|bad-option|topic|order|release
#   [-DTOPIC=id] [-DHOST_PREFIX=the Wine prefix of the demo host runs]
# The program runs in WORK_DIR but shares the Wine prefix of the other Windows
# tests, beside the programs.
if(NOT MODE)
    set(MODE full)
endif()
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
get_filename_component(program_dir ${DEMOHOST} DIRECTORY)

# The runs get a Wine prefix (so a Wine server) and an X server of their own
# (the emulator starts one when there is no display), and ctest runs them one
# at a time: the scripts activate windows and press buttons, and the windows
# of tests running beside them would take the focus, and with it a press,
# away. Two X servers must not share one Wine server, hence the prefix.
if(NOT HOST_PREFIX)
    set(HOST_PREFIX ${program_dir}/../wineprefix-demohost)
endif()
get_filename_component(host_prefix ${HOST_PREFIX} ABSOLUTE)
set(ENV{WINEPREFIX} ${host_prefix})
set(ENV{BRENK_WINEPREFIX} ${host_prefix})
set(ENV{WINEDEBUG} -all)
if(EXISTS /usr/lib/wine/wine64)
    set(loader /usr/lib/wine/wine64)
else()
    set(loader wine)
endif()
if(NOT EXISTS ${host_prefix}/.brenk-ready)
    file(MAKE_DIRECTORY ${host_prefix})
    execute_process(COMMAND ${loader} wineboot --init OUTPUT_QUIET ERROR_QUIET TIMEOUT 180)
    execute_process(COMMAND wineserver -w TIMEOUT 60)
    execute_process(COMMAND ${loader} reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed
        /t REG_SZ /d N /f OUTPUT_QUIET ERROR_QUIET TIMEOUT 60)
    execute_process(COMMAND ${loader} reg add
        "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug" /v Debugger
        /t REG_SZ /d "" /f OUTPUT_QUIET ERROR_QUIET TIMEOUT 60)
    execute_process(COMMAND wineserver -w TIMEOUT 60)
    file(TOUCH ${host_prefix}/.brenk-ready)
endif()
find_program(XVFB_RUN xvfb-run)
if(XVFB_RUN)
    unset(ENV{DISPLAY})
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

function(expect_shot pattern what)
    file(GLOB found ${shots}/${pattern})
    if(NOT found)
        message(FATAL_ERROR "no screenshot of ${what} (${pattern})")
    endif()
endfunction()

# Milliseconds of the first log line matching `pattern`.
function(log_time pattern out)
    string(REGEX MATCH "([0-9]+) ${pattern}" found "${log}")
    if(NOT found)
        message(FATAL_ERROR "demohost.log has no line matching \"${pattern}\"")
    endif()
    set(${out} ${CMAKE_MATCH_1} PARENT_SCOPE)
endfunction()

set(shots ${WORK_DIR}/shots)

# Runs the host unattended with screenshots and the given options, allowing
# it `seconds` (and the process a little more); leaves its log in `log` and
# fails unless it exited with 0.
function(run_demohost seconds)
    math(EXPR limit "${seconds} + 30")
    execute_process(COMMAND ${EMULATOR} ${DEMOHOST} --exit-when-done --screenshots shots
        --timeout ${seconds} ${ARGN}
        WORKING_DIRECTORY ${WORK_DIR} RESULT_VARIABLE code TIMEOUT ${limit})
    file(READ ${shots}/demohost.log text)
    if(NOT code EQUAL 0)
        message(FATAL_ERROR "demohost exited with ${code}:\n${text}")
    endif()
    set(log "${text}" PARENT_SCOPE)
endfunction()

if(MODE STREQUAL "topic")
    # A help topic chosen from the module's help list, run to its end.
    run_demohost(100 --help-topic ${TOPIC})
    expect_in_log("help line 0 \"Measuring and saving, step by step\"")
    expect_in_log("help line 1 \"   Changing the number of readings\"")
    expect_in_log("help line 3 \"   Printing the readings\"")
    expect_in_log("DemoHelp ${TOPIC} -> ${TOPIC}")
    expect_in_log("DemoTick -> 4")
    expect_in_log("demonstration over")
    expect_shot("*-help-list.bmp" "the help list")
    if(TOPIC EQUAL 3)
        expect_in_log("help line 1 \"   Changing the number of readings\" selected")
        expect_in_log("text 13011 mode 2 \"Changing the number of readings\"")
        expect_in_log("text 1 mode 0")
        expect_in_log("text 13012 mode 1")
        expect_in_log("readings per recording 2000")
    elseif(TOPIC EQUAL 4)
        expect_in_log("text 13021 mode 2")
        expect_in_log("range 600 V")
    elseif(TOPIC EQUAL 5)
        expect_in_log("text 13031 mode 2")
        expect_in_log("printed graph and table")
    endif()
    return()
endif()

if(MODE STREQUAL "order")
    # The order sheet opened on the price page and filled in as a user would:
    # typed quantities (one after scrolling), the lines and totals read back.
    # With the test run's PDF printer the order is printed too.
    set(print_option)
    set(pdf)
    if(DEFINED ENV{BRENK_PDF_DIR})
        set(print_option --print-order)
        # Named after the document (the host's text 6145), perhaps with more after it.
        set(pdf "$ENV{BRENK_PDF_DIR}/brenk_C_Demonstration*.pdf")
        file(GLOB earlier ${pdf})
        if(earlier)
            file(REMOVE ${earlier})
        endif()
        # This prefix's printer prints the order's font as it measures it
        # (scripts/printer-fonts.sh says why); the set-up runs without the
        # display, so its Wine server must be gone before the host starts.
        execute_process(COMMAND ${CMAKE_CURRENT_LIST_DIR}/../../scripts/printer-fonts.sh ${loader}
            RESULT_VARIABLE fonts TIMEOUT 120)
        execute_process(COMMAND wineserver -w TIMEOUT 60)
        if(NOT fonts EQUAL 0)
            message(FATAL_ERROR "scripts/printer-fonts.sh failed (${fonts})")
        endif()
    endif()
    run_demohost(100 --order-demo --end-script-after 2 ${print_option})
    expect_in_log("order sheet open")
    # Each ordered line once, in its five columns; quantities and amounts
    # padded on the left.
    expect_in_log("order line 1 \\| +3\\| MM-40\\| [^|]+\\| +249[^|]*\\| +747[^|]*\\|")
    expect_in_log("order line 4 \\| +12\\| PQ-1\\|")
    expect_in_log("order line 13 \\| +2\\| IR-1\\|")
    expect_in_log("order line 22 \\| +1\\| PS-9\\|")
    expect_in_log("order sum \" +27,227[^\"]*\" with surcharge \" +32,400.13\"")
    expect_in_log("order filling over: done")
    expect_in_log("DemoCommand 1906 0 -> 0")
    expect_in_log("demonstration over")
    expect_shot("*-order-sheet.bmp" "the filled order sheet")
    if(pdf)
        expect_in_log("print dialog: printer \"$ENV{BRENK_PRINT_QUEUE}\", OK")
        expect_in_log("order printed")
        # The PDF is written a moment after the job reached the queue.
        foreach(attempt RANGE 50)
            execute_process(COMMAND lpstat -W not-completed -o OUTPUT_VARIABLE pending)
            file(GLOB printed_files ${pdf})
            if(pending STREQUAL "" AND printed_files)
                break()
            endif()
            execute_process(COMMAND sleep 0.2)
        endforeach()
        list(LENGTH printed_files printed_count)
        if(NOT printed_count EQUAL 1)
            message(FATAL_ERROR "expected one PDF of the order, found: ${printed_files}")
        endif()
        execute_process(COMMAND pdftotext -layout ${printed_files} - OUTPUT_VARIABLE printed
            RESULT_VARIABLE converted)
        if(NOT converted EQUAL 0)
            message(FATAL_ERROR "no readable PDF of the order at ${pdf}")
        endif()
        # The printer's hyphen comes back as another dash (two bytes): match any.
        foreach(row "3 +MM[^ ]+40 +Digital multimeter" "12 +PQ[^ ]+1 " "2 +IR[^ ]+1 "
                "1 +PS[^ ]+9 +Mains adapter" "Sum +27,227" "Sum incl. surcharge +32,400.13"
                "Customer number: K[^ ]+4711"
                "Anna Berg")
            string(REGEX MATCH "${row}" found "${printed}")
            if(NOT found)
                message(FATAL_ERROR "the printed order lacks \"${row}\":\n${printed}")
            endif()
        endforeach()
    endif()
    return()
endif()

if(MODE STREQUAL "release")
    # The demo host of an unpacked release archive, with the stand-ins copied
    # beside the module as its README says: show, pages, the start of the
    # script phase, and a normal end.
    run_demohost(60 --end-script-after 1)
    expect_in_log("DemoInit language 0 catalogue \"[^\"]*\\\\\" -> 1")
    expect_in_log("DemoCommand 1901 0 -> 0")
    expect_in_log("DemoTick -> 3")
    expect_in_log("demonstration over")
    expect_in_log("exit 0")
    return()
endif()

# The whole demonstration: slide show, page 1, and script 0 in the script
# phase to its own end.
run_demohost(260)
expect_in_log("VerFun -> \"")
expect_in_log("textreq 6145 size 99")
expect_in_log("DemoInit language 0 catalogue \"[^\"]*\\\\\" -> 1")
expect_in_log("DemoCommand 1901 0 -> [03]")
expect_in_log("DemoTick -> 3|DemoCommand 1901 0 -> 3")
foreach(id 8511 8513 8514 8515 8516 8517 8518 8545 8546 8547 8548 8551 8552 8553 8554)
    expect_in_log("text ${id} mode 0 \"[^\"]+\"")
endforeach()
expect_in_log("ready 1910 control 1002 main -> 1")
expect_in_log("ready 1909 control 1072 main -> 1")
expect_in_log("formula S = U x I x k unit \"VA\" factor 1.00 shown 1")
expect_in_log("saved DEMO_C.MDF \\(200 readings\\)")
expect_in_log("saved DEMO_C1.MDF")
expect_in_log("saved DEMO_C2.MDF")
expect_in_log("measurement stopped, recording kept")
expect_in_log("DemoTick -> 4")
expect_in_log("DemoFree")
expect_in_log("demonstration over")
expect_in_log("exit 0")
string(FIND "${log}" "script phase limit" limit)
if(NOT limit EQUAL -1)
    message(FATAL_ERROR "the script was ended by the host, not by itself")
endif()
string(REGEX MATCHALL "dialog confirm-stop opened" confirmations "${log}")
list(LENGTH confirmations confirmationCount)
if(NOT confirmationCount EQUAL 1)
    message(FATAL_ERROR "Stop asked ${confirmationCount} times; once is right")
endif()

# Script 0 against its floor: the least time its delays and pauses allow
# (138.3 s, each step's delay or its own pause, whichever is longer).
log_time("text 8511 mode 0" first)
log_time("DemoTick -> 4" last)
math(EXPR elapsed "${last} - ${first}")
math(EXPR permille "${elapsed} * 1000 / 138300")
message(STATUS "script 0 took ${elapsed} ms: ${permille} per mille of its floor")
if(permille GREATER 1100)
    message(FATAL_ERROR "script 0 took ${elapsed} ms, more than 10 % over its floor")
endif()

expect_shot("01-start.bmp" "the start")
expect_shot("*-script.bmp" "the script phase")
expect_shot("*-text-8511.bmp" "the first text")
expect_shot("*-dialog-formula.bmp" "the calculated quantity dialog")
expect_shot("*-dialog-confirm-stop.bmp" "the stop confirmation")
expect_shot("*-end.bmp" "the end")
