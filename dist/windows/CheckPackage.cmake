# Builds the ZIP with CPack into WORK, unpacks it and checks that it holds
# exactly the game's files, that the program is a GUI one importing only DLLs
# that every 64-bit Windows has, that it is hardened (ASLR with high-entropy
# addresses, NX, the stack protector, _FORTIFY_SOURCE's checked functions),
# that its resources are there: one icon with the sizes Windows shows, the
# version VERSION, one manifest declaring per-monitor DPI awareness; and that
# its notices are complete (CheckNotices.cmake). Run by ctest:
#   cmake -DOBJDUMP=<mingw objdump> -DNM=<mingw nm> -DWRESTOOL=<wrestool> -DICOTOOL=<icotool>
#       -DCXX_FLAGS=<the flags it was compiled with> -DEXE=<the built program, unstripped> -DMAP=<its linker map> -DDEPS=<its libraries>
#       -DFONT=<the font shipped> -DBUILD=<build folder> -DZIP=<name> -DVERSION=<x.y.z>
#       -DWORK=<folder> -P CheckPackage.cmake
cmake_minimum_required(VERSION 3.18)

set(EXPECTED_FILES LICENSE.txt THIRD-PARTY-NOTICES.txt data/DejaVuSans.ttf data/cube.tga
    quorvel.exe readme.txt)
set(SYSTEM_DLLS ADVAPI32.DLL GDI32.DLL GLU32.DLL IMM32.DLL KERNEL32.DLL MSVCRT.DLL
    OLE32.DLL OLEAUT32.DLL OPENGL32.DLL SETUPAPI.DLL SHELL32.DLL USER32.DLL VERSION.DLL
    WINMM.DLL)

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/unpacked)
execute_process(COMMAND ${CMAKE_CPACK_COMMAND} -G ZIP -B ${WORK} --config ${BUILD}/CPackConfig.cmake
    RESULT_VARIABLE failed OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(failed OR NOT EXISTS ${WORK}/${ZIP})
    message(FATAL_ERROR "cpack made no ${ZIP}:\n${output}")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${WORK}/${ZIP}
    WORKING_DIRECTORY ${WORK}/unpacked RESULT_VARIABLE failed)
file(GLOB_RECURSE held RELATIVE ${WORK}/unpacked ${WORK}/unpacked/*)
list(SORT held)
if(failed OR NOT held STREQUAL EXPECTED_FILES)
    message(FATAL_ERROR "${ZIP} holds: ${held}\nexpected: ${EXPECTED_FILES}")
endif()

execute_process(COMMAND ${OBJDUMP} -p ${WORK}/unpacked/quorvel.exe
    RESULT_VARIABLE failed OUTPUT_VARIABLE headers)
if(failed)
    message(FATAL_ERROR "${OBJDUMP} cannot read quorvel.exe")
endif()
if(NOT headers MATCHES "Subsystem[\t ]+0+2[\t ]+\\(Windows GUI\\)")
    message(FATAL_ERROR "quorvel.exe is not a GUI program: it would open a console")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
set(foreign "")
foreach(import ${imports})
    string(REGEX REPLACE "^DLL Name: *" "" dll "${import}")
    string(TOUPPER "${dll}" dll)
    if(NOT dll IN_LIST SYSTEM_DLLS)
        list(APPEND foreign ${dll})
    endif()
endforeach()
if(NOT imports OR foreign)
    message(FATAL_ERROR "quorvel.exe imports DLLs that Windows does not ship: ${foreign}\n${imports}")
endif()
list(LENGTH imports count)

# DllCharacteristics: 0x20 high-entropy addresses, 0x40 relocatable (ASLR),
# 0x100 NX.
if(NOT headers MATCHES "DllCharacteristics[\t ]+([0-9a-fA-F]+)")
    message(FATAL_ERROR "quorvel.exe has no DllCharacteristics")
endif()
math(EXPR lacking "0x160 & ~0x${CMAKE_MATCH_1}" OUTPUT_FORMAT HEXADECIMAL)
if(NOT lacking EQUAL 0)
    message(FATAL_ERROR "quorvel.exe's DllCharacteristics 0x${CMAKE_MATCH_1} lack ${lacking} "
        "(0x20 high-entropy VA, 0x40 dynamic base, 0x100 NX)")
endif()
# The stack protector's and _FORTIFY_SOURCE's checks, linked in where the
# compiled code calls them (the symbols of the unstripped program).
execute_process(COMMAND ${NM} ${EXE} OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
string(REGEX MATCHALL "[\n ]__[a-z0-9_]+_chk\n" checked "${symbols}")
string(REGEX REPLACE "[\n ]" "" checked "${checked}")
list(REMOVE_DUPLICATES checked)
if(failed OR NOT symbols MATCHES " T __stack_chk_fail\n")
    message(FATAL_ERROR "quorvel.exe lacks the stack protector (__stack_chk_fail)")
endif()
# MinGW-w64 10 links __memcpy_chk and the like wherever a size is known only
# at run time; MinGW-w64 12 checks most calls inline, and a program whose
# sizes are all known links none. Then the flags it was compiled with tell.
if(NOT checked AND NOT CXX_FLAGS MATCHES "-D_FORTIFY_SOURCE=[1-9]")
    message(FATAL_ERROR "quorvel.exe links none of _FORTIFY_SOURCE's checked functions "
        "(__*_chk), and was compiled without it ('${CXX_FLAGS}')")
endif()
include(${CMAKE_CURRENT_LIST_DIR}/CheckNotices.cmake)

# Resources, by type: 3 icon images, 14 the icon (their group), 16 the version,
# 24 the manifest. The one icon group and the one manifest have the name 1:
# Explorer and SDL take the first icon, Windows reads manifest 1 of a program.
set(exe ${WORK}/unpacked/quorvel.exe)
execute_process(COMMAND ${WRESTOOL} -l ${exe} OUTPUT_VARIABLE listed RESULT_VARIABLE failed)
string(REGEX MATCHALL "--type=(14|16|24) --name=[^ ]+" named "${listed}")
if(failed OR NOT named STREQUAL "--type=14 --name=1;--type=16 --name=1;--type=24 --name=1")
    message(FATAL_ERROR "quorvel.exe has not one icon, version and manifest, each 1:\n${listed}")
endif()
execute_process(COMMAND ${WRESTOOL} -x --type=14 --name=1 -o ${WORK}/icon.ico ${exe})
execute_process(COMMAND ${ICOTOOL} -l ${WORK}/icon.ico OUTPUT_VARIABLE images)
string(REGEX MATCHALL "--width=[0-9]+" widths "${images}")
string(REPLACE "--width=" "" widths "${widths}")
if(NOT widths STREQUAL "16;20;24;32;40;48;64;256")
    message(FATAL_ERROR "quorvel.exe's icon has the sizes '${widths}':\n${images}")
endif()

# The version's numbers (VS_FIXEDFILEINFO after its signature FEEF04BD: file
# then product version, each as major.minor, patch.0 in little-endian words)
# and its strings (UTF-16), against the project's version.
execute_process(COMMAND ${WRESTOOL} -x --raw --type=16 --name=1 -o ${WORK}/version.bin ${exe})
file(READ ${WORK}/version.bin fixed HEX)
# A number as the hex bytes of a little-endian 16-bit word.
function(word number out)
    math(EXPR low "${number} % 256 + 256" OUTPUT_FORMAT HEXADECIMAL) # 0x1xx: two digits
    math(EXPR high "${number} / 256 + 256" OUTPUT_FORMAT HEXADECIMAL)
    string(SUBSTRING ${low} 3 2 low)
    string(SUBSTRING ${high} 3 2 high)
    set(${out} ${low}${high} PARENT_SCOPE)
endfunction()
string(REPLACE "." ";" numbers ${VERSION})
list(GET numbers 0 major)
list(GET numbers 1 minor)
list(GET numbers 2 patch)
word(${major} major)
word(${minor} minor)
word(${patch} patch)
set(numeric "${minor}${major}0000${patch}")
file(STRINGS ${WORK}/version.bin strings ENCODING UTF-16LE)
foreach(expected "ProductName;Quorvel" "ProductVersion;${VERSION}" "FileVersion;${VERSION}"
        "OriginalFilename;quorvel.exe" "CompanyName;Tarnwick Productions")
    string(FIND "${strings};" "${expected};" at)
    if(at LESS 0)
        message(FATAL_ERROR "quorvel.exe's version lacks ${expected}: ${strings}")
    endif()
endforeach()
if(NOT fixed MATCHES "bd04effe00000100${numeric}${numeric}")
    message(FATAL_ERROR "quorvel.exe's numeric version is not ${VERSION}.0")
endif()

execute_process(COMMAND ${WRESTOOL} -x --raw --type=24 --name=1 -o ${WORK}/manifest.xml ${exe})
file(READ ${WORK}/manifest.xml manifest)
foreach(expected "<dpiAwareness[^>]*>PerMonitorV2</dpiAwareness>" "<dpiAware[^>]*>true/pm</dpiAware>"
        "requestedExecutionLevel level=\"asInvoker\"" "name=\"Microsoft.Windows.Common-Controls\"")
    if(NOT manifest MATCHES "${expected}")
        message(FATAL_ERROR "quorvel.exe's manifest lacks ${expected}:\n${manifest}")
    endif()
endforeach()
message(STATUS "${ZIP}: ${held}; quorvel.exe imports ${count} system DLLs, has DLL "
    "characteristics 0x160, the stack protector and ${checked}, its icon (${widths} pixels), "
    "version ${VERSION} and a per-monitor DPI aware manifest; notices of ${sources} ${packages}")
