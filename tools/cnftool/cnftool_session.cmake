# A first session with cnftool, as a new user would have it: the usage text,
# build, check, dump and build again to the same bytes, and the messages for
# a mistaken source and for files that are not catalogues.
# cmake -DCNFTOOL=... -DSOURCE=... -DWORK=... -P cnftool_session.cmake

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

function(run expected_code output_var)
    execute_process(COMMAND ${CNFTOOL} ${ARGN} RESULT_VARIABLE code OUTPUT_VARIABLE out
        ERROR_VARIABLE err)
    if(NOT code EQUAL expected_code)
        message(FATAL_ERROR "cnftool ${ARGN}: exit ${code}, expected ${expected_code}\n${out}${err}")
    endif()
    set(${output_var} "${out}${err}" PARENT_SCOPE)
endfunction()

function(expect_text text pattern)
    if(NOT text MATCHES "${pattern}")
        message(FATAL_ERROR "expected \"${pattern}\" in:\n${text}")
    endif()
endfunction()

run(2 text)
expect_text("${text}" "usage: cnftool build SOURCE -o FILE")
run(2 text build ${SOURCE})
expect_text("${text}" "build needs -o FILE")
run(2 text frobnicate x)
expect_text("${text}" "unknown command \"frobnicate\"")

# Build, check, dump, build again: the same bytes.
run(0 text build ${SOURCE} -o ${WORK}/first.cnf)
run(0 text check ${WORK}/first.cnf)
expect_text("${text}" "valid catalogue: [0-9]+ items")
run(0 text dump ${WORK}/first.cnf -o ${WORK}/dumped.ini)
run(0 text build ${WORK}/dumped.ini -o ${WORK}/second.cnf)
file(SHA256 ${WORK}/first.cnf first_hash)
file(SHA256 ${WORK}/second.cnf second_hash)
if(NOT first_hash STREQUAL second_hash)
    message(FATAL_ERROR "build -> dump -> build gave different bytes")
endif()
run(0 dumped_again dump ${WORK}/second.cnf)
file(READ ${WORK}/dumped.ini dumped)
if(NOT dumped STREQUAL dumped_again)
    message(FATAL_ERROR "dump to a file and to standard output differ")
endif()

# A mistaken source names its line.
file(WRITE ${WORK}/typo.ini "[catalogue]\nvalid-until = 2030-01-01\n\n[item 0]\nprise = 3\n")
run(1 text build ${WORK}/typo.ini -o ${WORK}/typo.cnf)
expect_text("${text}" "typo.ini: line 5: unknown key \"prise\" here; this section takes price")
file(WRITE ${WORK}/long.ini "[catalogue]\nvalid-until = 2030-01-01\ncurrency = \"EUROS,00\"\n")
run(1 text build ${WORK}/long.ini -o ${WORK}/long.cnf)
expect_text("${text}" "line 3: currency has 8 characters .Windows-1252 bytes.; at most 7 fit")

# Files that are not catalogues: the first fault, with offset and values.
run(1 text check ${SOURCE})
expect_text("${text}" "offset 0 .magic.: not a catalogue file: expected \"C305\", found")
file(WRITE ${WORK}/short.cnf "C305xxxxxxxxxx")
run(1 text check ${WORK}/short.cnf)
expect_text("${text}" "offset 6 .file length.: length field differs from the file size: expected 14 .the file size., found 2021161080")
run(1 text check ${WORK}/missing.cnf)
expect_text("${text}" "missing.cnf: cannot open the file")
run(1 text dump ${WORK}/short.cnf)
expect_text("${text}" "length field differs")
