# Part of the package check (CheckPackage.cmake), on the unpacked ZIP in WORK:
# every library the program's link used, as its linker map MAP names the
# archives and objects it took, and the font shipped (FONT) have their section
# in THIRD-PARTY-NOTICES.txt: the libraries built by
# tools/build-windows-deps.sh (in DEPS, each source package's installed files
# listed in DEPS/notices/<source>/installed) under their source package, the
# rest under the Debian package dpkg says holds them; the game's own, in BUILD,
# are under LICENSE.txt. With FreeType linked, the readme carries its credit.
# And a source package whose licence file is gone stops the notices.

file(READ ${WORK}/unpacked/THIRD-PARTY-NOTICES.txt notices)
file(STRINGS ${MAP} map_lines REGEX "^(LOAD )?/")
set(used "")
foreach(line ${map_lines})
    if(line MATCHES "^(/[^(]+\\.a)\\(") # an archive, a member of which was taken
        list(APPEND used ${CMAKE_MATCH_1})
    elseif(line MATCHES "^LOAD (/.+\\.(o|obj))$") # an object, taken whole
        list(APPEND used ${CMAKE_MATCH_1})
    endif()
endforeach()
list(REMOVE_DUPLICATES used)
if(NOT used)
    message(FATAL_ERROR "${MAP} names no archive or object the link used")
endif()

file(REAL_PATH ${BUILD} build_folder)
file(REAL_PATH ${DEPS} deps_folder)
file(GLOB manifests ${DEPS}/notices/*/installed)
set(sources "")
set(from_packages ${FONT})
foreach(path ${used})
    file(REAL_PATH ${path} path)
    string(FIND "${path}" "${build_folder}/" in_build)
    string(FIND "${path}" "${deps_folder}/" in_deps)
    if(in_build EQUAL 0)
        continue()
    elseif(in_deps EQUAL 0)
        string(REPLACE "${deps_folder}/" "" installed "${path}")
        set(source "")
        foreach(manifest ${manifests})
            file(READ ${manifest} files)
            string(REPLACE "${DEPS}/" "" files "\n${files}\n")
            string(REPLACE "${deps_folder}/" "" files "${files}")
            string(FIND "${files}" "\n${installed}\n" at)
            if(at GREATER_EQUAL 0)
                get_filename_component(source ${manifest} DIRECTORY)
                get_filename_component(source ${source} NAME)
            endif()
        endforeach()
        if(NOT source)
            message(FATAL_ERROR "no source package in ${DEPS}/notices installed ${path}")
        endif()
        list(APPEND sources ${source})
    else()
        list(APPEND from_packages ${path})
    endif()
endforeach()
execute_process(COMMAND dpkg-query -S ${from_packages} OUTPUT_VARIABLE owners RESULT_VARIABLE failed
    ERROR_VARIABLE error)
if(failed)
    message(FATAL_ERROR "no Debian package holds what the link used, its licence unknown:\n"
        "${error}")
endif()
string(REGEX MATCHALL "(^|\n)[^:\n]+:" packages "${owners}")
string(REGEX REPLACE "(^|\n)([^:\n]+):" "\\2" packages "${packages}")
list(REMOVE_DUPLICATES sources)
list(REMOVE_DUPLICATES packages)

set(missing "")
foreach(heading IN LISTS sources packages)
    if(heading IN_LIST sources)
        set(heading "Debian source package ${heading}")
    else()
        set(heading "Debian package ${heading}")
    endif()
    string(FIND "${notices}" "\n== ${heading} " at)
    if(at LESS 0)
        list(APPEND missing "${heading}")
    endif()
endforeach()
if(missing)
    message(FATAL_ERROR "THIRD-PARTY-NOTICES.txt lacks the notices of ${missing}, linked in "
        "or shipped")
endif()

file(READ ${WORK}/unpacked/readme.txt readme)
if("freetype" IN_LIST sources AND NOT readme MATCHES
        "Portions of this software are copyright \\(C\\) [0-9]+ The FreeType[\r\n ]+Project")
    message(FATAL_ERROR "readme.txt lacks the credit FreeType's licence asks for")
endif()

# The notices without one source package's Debian copyright file: no notices.
list(GET sources 0 source)
file(REMOVE_RECURSE ${WORK}/incomplete)
file(COPY ${DEPS}/notices/${source} DESTINATION ${WORK}/incomplete)
file(REMOVE ${WORK}/incomplete/${source}/copyright)
execute_process(COMMAND ${CMAKE_COMMAND} -DOUT=${WORK}/incomplete.txt
    -DNOTICES=${WORK}/incomplete -DSOURCES=${source} -DTITLE=incomplete
    -P ${CMAKE_CURRENT_LIST_DIR}/../Notices.cmake RESULT_VARIABLE failed ERROR_VARIABLE said)
if(NOT failed OR EXISTS ${WORK}/incomplete.txt OR NOT said MATCHES "cannot read[ \n]+[^ \n]*/copyright")
    message(FATAL_ERROR "notices made without ${source}'s copyright file:\n${said}")
endif()
