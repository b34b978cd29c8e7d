# The installer, QUORVEL_SETUP (quorvel-<version>-win64-setup.exe beside the
# ZIP), built with every build from quorvel.nsi.in by Debian's makensis: the
# install rules' files (stripped, as in the ZIP) staged with cmake --install
# in QUORVEL_STAGE and packed. The .nsi names each of those files: the
# uninstaller removes them and no others. Included by CMakeLists.txt here,
# after the install rules.
find_program(MAKENSIS makensis REQUIRED)

configure_file(quorvel.nsi.in quorvel.nsi @ONLY)
set(nsi ${CMAKE_CURRENT_BINARY_DIR}/quorvel.nsi)
add_custom_command(OUTPUT ${QUORVEL_SETUP}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${QUORVEL_STAGE}
    COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --prefix ${QUORVEL_STAGE} --strip
    COMMAND ${MAKENSIS} -V2 -NOCD ${nsi}
    # The program depends on the icon, which the installer shows too.
    DEPENDS quorvel ${nsi} ${CMAKE_CURRENT_BINARY_DIR}/readme.txt
        ${CMAKE_CURRENT_BINARY_DIR}/LICENSE.txt ${QUORVEL_NOTICES}
        ${PROJECT_SOURCE_DIR}/data/cube.tga ${QUORVEL_WINDOWS_FONT}
    VERBATIM)
add_custom_target(quorvel_installer ALL DEPENDS ${QUORVEL_SETUP})
