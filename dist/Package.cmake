# The .deb, built by the package target: quorvel_<version>_<arch>.deb, in
# section games, with the program in /usr/games; lintian checks it
# (tests/package/). Its Depends come from the libraries the program links
# (dpkg-shlibdeps), plus two that no link shows: libgl1, the GLX library that
# SDL loads at run time to make the GL context (it brings Mesa's drivers), and
# the font that fontconfig finds for the game's text.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VENDOR "Tarnwick Productions")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "five in a row for two players on a board drawn in 3D")
# The long description, below that summary line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Red and green take turns at one computer with the same mouse, placing pieces
on a 9 x 9 board shown in 3D with OpenGL. The first player with five pieces in
an unbroken line, along a row, a column or a diagonal, wins.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QUORVEL_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${QUORVEL_HOMEPAGE})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
