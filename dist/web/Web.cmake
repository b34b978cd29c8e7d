# The browser build, compiled to WebAssembly with Emscripten (emcmake) against
# the static libraries that tools/build-web-deps.sh builds (their prefix in
# QUORVEL_WEB_DEPS), and drawn through the GL 1.1 layer over WebGL 1.0 in
# framework/sdl/web/gl11/. Included by the top-level CMakeLists.txt.
if(NOT QUORVEL_WEB_DEPS)
    message(FATAL_ERROR "Set QUORVEL_WEB_DEPS to the prefix that "
        "tools/build-web-deps.sh prints (tools/build-web.sh does it all)")
endif()
# Searched before Emscripten's own folder, whose SDL2 package would build and
# link Emscripten's SDL2 port, downloading it.
list(PREPEND CMAKE_FIND_ROOT_PATH ${QUORVEL_WEB_DEPS})
list(PREPEND CMAKE_PREFIX_PATH ${QUORVEL_WEB_DEPS})

# SDL2_image and SDL2_ttf install CMake packages, not pkg-config files, when
# built static: they are found through those. SDL2_image is there for its TGA
# decoder, which the texture's loader wraps.
find_package(SDL2 CONFIG REQUIRED)
find_package(SDL2_image CONFIG REQUIRED)
find_package(SDL2_ttf CONFIG REQUIRED)
target_link_libraries(sdl_libraries INTERFACE
    SDL2_image::SDL2_image-static SDL2_ttf::SDL2_ttf-static SDL2::SDL2-static)

# GL 1.1 and GLU, as the framework links them on the desktop, are the layer
# over WebGL; its headers come before Emscripten's own GL headers.
if(NOT TARGET gl11_webgl)
    add_subdirectory(${PROJECT_SOURCE_DIR}/framework/sdl/web/gl11
        ${CMAKE_BINARY_DIR}/framework/sdl/web/gl11)
endif()
add_library(OpenGL::GL INTERFACE IMPORTED)
target_link_libraries(OpenGL::GL INTERFACE gl11_webgl)
add_library(OpenGL::GLU INTERFACE IMPORTED)
target_link_libraries(OpenGL::GLU INTERFACE gl11_webgl)
