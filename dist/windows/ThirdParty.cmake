# The third-party notices the ZIP and the installer carry,
# THIRD-PARTY-NOTICES.txt (QUORVEL_NOTICES), written by Notices.cmake when
# configuring: the licence texts of the libraries linked into the program, from
# the Debian source packages tools/build-windows-deps.sh built them from, and
# of the toolchain's runtime libraries and the font, from the installed Debian
# packages that hold them. The link writes a map (QUORVEL_LINK_MAP), from which
# the package check derives what was linked and finds each its notice.
# Included by CMakeLists.txt here.

# The source packages of the libraries the program links (SDL2_ttf brings
# FreeType).
set(QUORVEL_NOTICE_SOURCES freetype libsdl2 libsdl2-image libsdl2-ttf)
# The runtime archives the compiler links into every static program: the C
# and C++ runtimes, winpthreads, the stack protector's libssp. Their packages,
# and the font's, as dpkg knows them.
set(held ${QUORVEL_WINDOWS_FONT})
foreach(archive libstdc++.a libgcc.a libgcc_eh.a libssp.a libmingw32.a libmingwex.a
        libmsvcrt.a libwinpthread.a)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${archive}
        OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(IS_ABSOLUTE "${path}")
        file(REAL_PATH ${path} path)
        list(APPEND held ${path})
    endif()
endforeach()
execute_process(COMMAND dpkg-query -S ${held} OUTPUT_VARIABLE owners RESULT_VARIABLE failed
    ERROR_VARIABLE error)
if(failed)
    message(FATAL_ERROR "dpkg knows no package holding one of ${held}:\n${error}")
endif()
string(REGEX MATCHALL "(^|\n)[^:\n]+:" packages "${owners}")
string(REGEX REPLACE "(^|\n)([^:\n]+):" "\\2" packages "${packages}")
list(REMOVE_DUPLICATES packages)
list(SORT packages)

set(QUORVEL_NOTICES ${CMAKE_CURRENT_BINARY_DIR}/THIRD-PARTY-NOTICES.txt)
execute_process(COMMAND ${CMAKE_COMMAND} -DOUT=${QUORVEL_NOTICES}
    -DNOTICES=${QUORVEL_WINDOWS_DEPS}/notices "-DSOURCES=${QUORVEL_NOTICE_SOURCES}"
    "-DPACKAGES=${packages}" "-DTITLE=Quorvel ${PROJECT_VERSION} for Windows: third-party notices"
    -P ${PROJECT_SOURCE_DIR}/dist/Notices.cmake
    RESULT_VARIABLE failed ERROR_VARIABLE error)
if(failed)
    message(FATAL_ERROR "The program's third-party notices cannot be made:\n${error}")
endif()
foreach(package ${packages})
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
        /usr/share/doc/${package}/copyright)
endforeach()
file(GLOB kept ${QUORVEL_WINDOWS_DEPS}/notices/*/*)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${kept}
    ${PROJECT_SOURCE_DIR}/dist/Notices.cmake)

# FreeType's licence asks for its credit, with the year of the version used,
# in the program's documentation: the readme's.
file(STRINGS ${QUORVEL_WINDOWS_DEPS}/include/freetype2/freetype/freetype.h years
    REGEX "Copyright \\(C\\) [0-9]+-[0-9]+" LIMIT_COUNT 1)
if(NOT years MATCHES "-([0-9]+)")
    message(FATAL_ERROR "FreeType's header names no year of copyright")
endif()
set(QUORVEL_FREETYPE_YEAR ${CMAKE_MATCH_1})

set(QUORVEL_LINK_MAP ${CMAKE_BINARY_DIR}/quorvel.map)
target_link_options(quorvel PRIVATE -Wl,-Map=${QUORVEL_LINK_MAP})
