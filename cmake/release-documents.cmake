# The release archive's documents as HTML pages that open on Windows without
# a Markdown viewer (included by make-release.cmake). Each page is rendered
# with Python-Markdown into release-page.html.in; every link and picture of
# a page is pointed at the archive's own copy of what it names (a Markdown
# document at its page), and a link to anything the archive does not hold
# stops the release.
#   render_pages(<pages> <files>): pairs of destination in the archive and
#   source relative to SOURCE_DIR; the files are those the pages may link to
#   (make-release.cmake stages them).

function(render_pages pages files)
    # Where each source lands in the archive.
    split_pairs("${pages};${files}" destinations sources)
    foreach(destination source IN ZIP_LISTS destinations sources)
        set(archived_${source} ${destination})
    endforeach()

    split_pairs("${pages}" destinations sources)
    foreach(destination source IN ZIP_LISTS destinations sources)
        execute_process(COMMAND ${MARKDOWN} -x tables -x fenced_code -x sane_lists -e utf-8
                ${SOURCE_DIR}/${source}
            OUTPUT_VARIABLE body RESULT_VARIABLE status)
        if(NOT status EQUAL 0)
            message(FATAL_ERROR "could not render ${source}")
        endif()
        get_filename_component(sourceFolder ${source} DIRECTORY)
        get_filename_component(pageFolder /archive/${destination} DIRECTORY)
        string(REGEX MATCHALL "(href|src)=\"[^\"]*\"" links "${body}")
        list(REMOVE_DUPLICATES links)
        foreach(link ${links})
            string(REGEX REPLACE "^(href|src)=\"([^\"#]*)(#[^\"]*)?\"$" "\\2" target "${link}")
            string(REGEX MATCH "#[^\"]*" anchor "${link}")
            if(target STREQUAL "")
                continue() # within the page
            endif()
            if(sourceFolder STREQUAL "")
                cmake_path(SET linked NORMALIZE "${target}")
            else()
                cmake_path(SET linked NORMALIZE "${sourceFolder}/${target}")
            endif()
            if(NOT DEFINED archived_${linked})
                message(FATAL_ERROR "${source} links to ${target}, which the archive does not hold")
            endif()
            file(RELATIVE_PATH relative ${pageFolder} /archive/${archived_${linked}})
            string(REGEX REPLACE "=.*" "" attribute "${link}")
            string(REPLACE "${link}" "${attribute}=\"${relative}${anchor}\"" body "${body}")
        endforeach()
        string(REGEX MATCH "<h1>([^<]*)</h1>" heading "${body}")
        set(title "${CMAKE_MATCH_1}")
        configure_file(${SOURCE_DIR}/cmake/release-page.html.in ${root}/${destination} @ONLY)
    endforeach()
endfunction()
