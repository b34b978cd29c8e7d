# The Windows ZIP, built by the package target: quorvel-<version>-win64.zip,
# the program and its data at the top, unpacked and played from anywhere.
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VENDOR "Tarnwick Productions")
set(CPACK_PACKAGE_FILE_NAME quorvel-${PROJECT_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_STRIP_FILES ON)
include(CPack)
