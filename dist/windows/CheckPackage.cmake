# Builds the ZIP with CPack into WORK, unpacks it and checks that it holds
# exactly the game's files, and that the program is a GUI one importing only
# DLLs that every 64-bit Windows has. Run by ctest:
#   cmake -DOBJDUMP=<mingw objdump> -DBUILD=<build folder> -DZIP=<name> -DWORK=<folder> -P CheckPackage.cmake
cmake_minimum_required(VERSION 3.18)

set(EXPECTED_FILES data/DejaVuSans-licence.txt data/DejaVuSans.ttf data/cube.tga quorvel.exe
    readme.txt)
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
message(STATUS "${ZIP}: ${held}; quorvel.exe imports ${count} system DLLs")
