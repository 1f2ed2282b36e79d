# Writes the fenced blocks of a Markdown document whose info string is INFO,
# one after the other, into OUT, after the optional line HEAD. The Windows
# tests build from what the guide shows, so the guide cannot drift from what
# is tested.
#   cmake -DDOC=docs/integration.md -DINFO=rc -DOUT=guide.rc [-DHEAD=...] -P extract_blocks.cmake
file(STRINGS ${DOC} lines)
set(text "")
if(DEFINED HEAD)
    string(APPEND text "${HEAD}\n")
endif()
set(inside OFF)
set(count 0)
foreach(line IN LISTS lines)
    if(line MATCHES "^```")
        if(inside)
            set(inside OFF)
        elseif(line STREQUAL "```${INFO}")
            set(inside ON)
            math(EXPR count "${count} + 1")
            string(APPEND text "\n// block ${count} of ${DOC}\n")
        endif()
    elseif(inside)
        string(APPEND text "${line}\n")
    endif()
endforeach()
if(count EQUAL 0)
    message(FATAL_ERROR "${DOC} has no ```${INFO} block")
endif()
# Rewritten only when it changes, so an edit elsewhere in the guide rebuilds nothing.
file(WRITE ${OUT}.new "${text}")
file(COPY_FILE ${OUT}.new ${OUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUT}.new)
