# The program's resources (quorvel.rc.in): the icon, drawn from the same SVG as
# the Linux one, rasterised by rsvg-convert at the sizes Windows shows (the
# 256-pixel one kept as PNG) and packed by icotool; the version information
# from the project's version; the manifest. Included by CMakeLists.txt here.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(ICOTOOL icotool REQUIRED)

set(QUORVEL_PUBLISHER "Tarnwick Productions")
set(QUORVEL_ICON ${CMAKE_CURRENT_BINARY_DIR}/quorvel.ico)
set(QUORVEL_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/quorvel.manifest)
set(svg ${PROJECT_SOURCE_DIR}/dist/${APP_ID}.svg)
set(png_folder ${CMAKE_CURRENT_BINARY_DIR}/icon)
set(rasterise "")
set(pngs "")
foreach(size 16 20 24 32 40 48 64 256)
    set(png ${png_folder}/${size}.png)
    list(APPEND rasterise COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${svg})
    if(size EQUAL 256)
        list(APPEND pngs --raw=${png})
    else()
        list(APPEND pngs ${png})
    endif()
endforeach()
add_custom_command(OUTPUT ${QUORVEL_ICON}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${png_folder}
    ${rasterise}
    COMMAND ${ICOTOOL} -c -o ${QUORVEL_ICON} ${pngs}
    DEPENDS ${svg}
    VERBATIM)
add_custom_target(quorvel_icon DEPENDS ${QUORVEL_ICON})
add_dependencies(quorvel quorvel_icon)

configure_file(quorvel.manifest.in ${QUORVEL_MANIFEST} @ONLY)
configure_file(quorvel.rc.in quorvel.rc @ONLY)
set(rc ${CMAKE_CURRENT_BINARY_DIR}/quorvel.rc)
target_sources(quorvel PRIVATE ${rc})
# windres reads the icon and the manifest; make sees only the .rc.
set_source_files_properties(${rc} DIRECTORY ${PROJECT_SOURCE_DIR}
    PROPERTIES OBJECT_DEPENDS "${QUORVEL_ICON};${QUORVEL_MANIFEST}")
