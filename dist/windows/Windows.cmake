# The Windows build, cross-compiled with tools/mingw-w64-x86_64.cmake against
# the static libraries that tools/build-windows-deps.sh builds (their prefix in
# QUORVEL_WINDOWS_DEPS). Included by the top-level CMakeLists.txt.
if(NOT QUORVEL_WINDOWS_DEPS)
    message(FATAL_ERROR "Set QUORVEL_WINDOWS_DEPS to the prefix that "
        "tools/build-windows-deps.sh prints (tools/build-windows.sh does it all)")
endif()

# The program's icon, version and manifest are resources, compiled by windres
# (dist/windows/Resources.cmake).
enable_language(RC)

# The installer (dist/windows/Installer.cmake) and the files it packs, staged
# there by the install rules; the tests install them under Wine.
set(QUORVEL_SETUP ${CMAKE_BINARY_DIR}/quorvel-${PROJECT_VERSION}-win64-setup.exe)
set(QUORVEL_STAGE ${CMAKE_BINARY_DIR}/installer-files)

# SDL2_image and SDL2_ttf install CMake packages, not pkg-config files, when
# built static: they are found through those.
find_package(SDL2 CONFIG REQUIRED)
find_package(SDL2_image CONFIG REQUIRED)
find_package(SDL2_ttf CONFIG REQUIRED)
target_link_libraries(sdl_libraries INTERFACE
    SDL2_image::SDL2_image-static SDL2_ttf::SDL2_ttf-static SDL2::SDL2-static)

# gl.h then declares GL without dllimport and without including windows.h: the
# game's code never sees windows.h, and the tests' null GL can stand in for
# opengl32. These are the values windows.h gives the same names.
add_compile_definitions(WINGDIAPI= APIENTRY=WINAPI WINAPI=__stdcall CALLBACK=__stdcall)

# One self-contained program: the C and C++ runtimes and winpthread linked in,
# so that it imports only DLLs every Windows has.
add_link_options(-static)

# Programs built here run under Wine: ctest's tests and the tests' discovery.
# Wine keeps its state in a prefix of the build's own, made on first use.
set(QUORVEL_WINEPREFIX ${CMAKE_BINARY_DIR}/wine-prefix CACHE PATH
    "The Wine prefix that runs the Windows tests")
find_program(WINE wine)
if(WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR env WINEPREFIX=${QUORVEL_WINEPREFIX}
        "WINEDLLOVERRIDES=mscoree,mshtml=" WINEDEBUG=-all ${WINE})
endif()
