# Writes OUT, the program's third-party notices, with Windows line ends (LF
# ones with -DLINE_END=LF, for the page): for each Debian source package in
# SOURCES (built by tools/build-windows-deps.sh or tools/build-web-deps.sh,
# which kept its files in NOTICES/<source>/) its
# upstream licence files and its debian/copyright; for each installed Debian
# package in PACKAGES (the toolchain's runtime libraries, the font) its
# /usr/share/doc/<package>/copyright. Every section opens with a line
#   == Debian source package <name> <version>: <upstream name> ==
#   == Debian package <name> <version>: <upstream name> ==
# which the package check looks for. A text that cannot be read stops it
# with the file's name: the program never ships without its notices.
#   cmake -DOUT=<file> -DNOTICES=<folder> -DSOURCES=<a;b> -DPACKAGES=<c;d>
#       -DTITLE=<first line> [-DLINE_END=LF] -P Notices.cmake
cmake_minimum_required(VERSION 3.18)

set(rule "================================================================================")
set(text "")
set(contents "")

# Appends the text of FILE under a heading naming it as NAME; stops when it
# cannot be read or is empty.
function(append_file file name why)
    if(NOT EXISTS "${file}" OR IS_DIRECTORY "${file}")
        message(FATAL_ERROR "notices: cannot read ${file}, ${why}")
    endif()
    file(READ "${file}" body)
    if(body STREQUAL "")
        message(FATAL_ERROR "notices: ${file} is empty, ${why}")
    endif()
    string(REGEX REPLACE "\n+$" "" body "${body}")
    set(text "${text}\n--- ${name} ---\n\n${body}\n" PARENT_SCOPE)
endfunction()

# Opens a section; its heading names the upstream project as the Debian
# copyright file COPYRIGHT does (Upstream-Name), when it does.
function(open_section kind name version copyright)
    set(upstream "")
    if(EXISTS "${copyright}" AND NOT IS_DIRECTORY "${copyright}")
        file(STRINGS "${copyright}" upstream REGEX "^Upstream-Name:" LIMIT_COUNT 1)
        string(REGEX REPLACE "^Upstream-Name:[ \t]*" ": " upstream "${upstream}")
    endif()
    set(heading "== ${kind} ${name} ${version}${upstream} ==")
    set(contents "${contents}  ${heading}\n" PARENT_SCOPE)
    set(text "${text}\n${rule}\n${heading}\n${rule}\n" PARENT_SCOPE)
endfunction()

foreach(source ${SOURCES})
    set(folder ${NOTICES}/${source})
    set(why "kept by tools/build-*-deps.sh from source package ${source}: run it again")
    if(NOT EXISTS ${folder}/version)
        message(FATAL_ERROR "notices: cannot read ${folder}/version, ${why}")
    endif()
    file(STRINGS ${folder}/version version LIMIT_COUNT 1)
    open_section("Debian source package" ${source} "${version}" ${folder}/copyright)
    # The upstream licence files first, then Debian's account of every file.
    file(GLOB upstream LIST_DIRECTORIES false RELATIVE ${folder} ${folder}/*)
    list(REMOVE_ITEM upstream copyright version installed)
    list(SORT upstream)
    foreach(name ${upstream})
        append_file(${folder}/${name} ${name} "${why}")
    endforeach()
    append_file(${folder}/copyright debian/copyright "${why}")
endforeach()

foreach(package ${PACKAGES})
    set(copyright /usr/share/doc/${package}/copyright)
    execute_process(COMMAND dpkg-query -W -f=\${Version} ${package}
        OUTPUT_VARIABLE version RESULT_VARIABLE failed ERROR_QUIET)
    if(failed)
        message(FATAL_ERROR "notices: the Debian package ${package} is not installed")
    endif()
    open_section("Debian package" ${package} ${version} ${copyright})
    # Packages built from one source (GCC's C and C++ compilers) carry one text.
    set(same "")
    if(EXISTS ${copyright})
        file(SHA256 ${copyright} digest)
        set(same "${package_of_${digest}}")
        if(NOT same)
            set(package_of_${digest} ${package})
        endif()
    endif()
    if(same)
        set(text "${text}\nThe same text as Debian package ${same}'s, above.\n")
    else()
        append_file(${copyright} ${copyright} "the licence of Debian package ${package}")
    endif()
endforeach()

string(CONCAT text "${TITLE}\n\nThe licence texts of the third-party software in this program and "
    "its\ndata, as the Debian packages it was built from carry them. Contents:\n\n"
    "${contents}${text}")
if(NOT LINE_END STREQUAL "LF")
    string(REPLACE "\n" "\r\n" text "${text}")
endif()
file(WRITE ${OUT} "${text}")
