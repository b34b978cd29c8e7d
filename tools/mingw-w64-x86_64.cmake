# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (the -posix
# compilers, whose C++ library has std::thread). Used for the game and for the
# libraries tools/build-windows-deps.sh builds:
#   cmake -DCMAKE_TOOLCHAIN_FILE=tools/mingw-w64-x86_64.cmake -DQUORVEL_WINDOWS_DEPS=<prefix>
# QUORVEL_WINDOWS_DEPS, where the cross-built libraries are installed, is
# searched like the compiler's own folder.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)
set(CMAKE_AR ${MINGW_TRIPLET}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${MINGW_TRIPLET}-gcc-ranlib-posix CACHE FILEPATH "")

# Hardening, for the libraries as for the program (FreeType and SDL2_image
# read the font and the texture from disk): a canary in every function with
# an array or an address taken, and the checked copies of the C library's
# string and memory functions where the compiler knows a buffer's size
# (_FORTIFY_SOURCE, in optimised builds only). Their checks come from GCC's
# libssp, linked static, which MinGW-w64's runtime backs on newer releases.
# ASLR, high-entropy addresses and NX are the linker's defaults for 64-bit.
set(CMAKE_C_FLAGS_INIT "-fstack-protector-strong -D_FORTIFY_SOURCE=2")
set(CMAKE_CXX_FLAGS_INIT "-fstack-protector-strong -D_FORTIFY_SOURCE=2")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fstack-protector-strong")

list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QUORVEL_WINDOWS_DEPS)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
if(QUORVEL_WINDOWS_DEPS)
    list(APPEND CMAKE_FIND_ROOT_PATH ${QUORVEL_WINDOWS_DEPS})
    list(APPEND CMAKE_PREFIX_PATH ${QUORVEL_WINDOWS_DEPS})
endif()
# Programs are the build machine's; libraries, headers and packages the target's.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
