# Writes the release's one time stamp to OUT, touching the file only when the
# time changes, so that the archive is made again when, and only when, it
# would carry another time: SOURCE_DATE_EPOCH when set, else the time of the
# commit checked out, else 1980-01-01 (the earliest a zip entry can say).
set(epoch "$ENV{SOURCE_DATE_EPOCH}")
if(epoch STREQUAL "")
    execute_process(COMMAND git -C ${SOURCE_DIR} log -1 --format=%ct
        OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
if(NOT epoch MATCHES "^[0-9]+$" OR epoch LESS 315532800)
    set(epoch 315532800)
endif()
set(written "")
if(EXISTS ${OUT})
    file(READ ${OUT} written)
endif()
if(NOT written STREQUAL epoch)
    file(WRITE ${OUT} ${epoch})
endif()
