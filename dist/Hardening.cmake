# The protections Debian builds every program with (dpkg-buildflags), for the
# Linux program and everything built beside it: checked C library calls
# (_FORTIFY_SOURCE), a stack protector, stack clash and control-flow
# protection, format strings checked, the GOT read-only and bound at start
# (-z relro -z now), and a position-independent program.
#
# They are defaults. A protection that the packager's own CFLAGS, CXXFLAGS or
# LDFLAGS (CMAKE_<LANG>_FLAGS, CMAKE_EXE_LINKER_FLAGS) already name, to ask for
# it or to turn it off, is theirs: nothing here adds to it or overrides it. An
# optimisation level in their flags likewise replaces the build type's own.
#
# QUORVEL_HARDENING_LEFT_OUT lists each protection not added, as
# "protection=why", for the test that reads the protections back from the
# program (tests/package/hardening.py, whose names these are).

option(QUORVEL_HARDENING "Build with the protections Debian builds programs with" ON)
set(QUORVEL_HARDENING_LEFT_OUT "")

string(TOUPPER "${CMAKE_BUILD_TYPE}" config)
set(compile_flags " ${CMAKE_C_FLAGS} ${CMAKE_CXX_FLAGS} ")
set(link_flags " ${CMAKE_EXE_LINKER_FLAGS} ")
if(config AND compile_flags MATCHES " -O")
    foreach(lang C CXX)
        string(REGEX REPLACE "(^| )-O[^ ]*" "" CMAKE_${lang}_FLAGS_${config}
            "${CMAKE_${lang}_FLAGS_${config}}")
    endforeach()
endif()

# hardening_left_out(PROTECTION WHY)
macro(hardening_left_out protection why)
    list(APPEND QUORVEL_HARDENING_LEFT_OUT "${protection}=${why}")
endmacro()

include(CheckCXXCompilerFlag)
include(CheckLinkerFlag)
include(CheckPIESupported)

# hardening_compile(PROTECTION PACKAGERS_PATTERN FLAG...): FLAG... for both
# languages unless the packager's flags match the pattern or the compiler
# refuses them.
function(hardening_compile protection pattern)
    if(compile_flags MATCHES "${pattern}")
        hardening_left_out(${protection} "the packager's CFLAGS or CXXFLAGS decide it")
    else()
        string(MAKE_C_IDENTIFIER "quorvel_accepts_${protection}" accepted)
        check_cxx_compiler_flag("${ARGN}" ${accepted})
        if(${accepted})
            add_compile_options(${ARGN})
        else()
            hardening_left_out(${protection} "the compiler refuses ${ARGN}")
        endif()
    endif()
    set(QUORVEL_HARDENING_LEFT_OUT "${QUORVEL_HARDENING_LEFT_OUT}" PARENT_SCOPE)
endfunction()

if(NOT QUORVEL_HARDENING)
    foreach(protection fortify stack-protector cf-protection relro bindnow pie)
        hardening_left_out(${protection} "QUORVEL_HARDENING is OFF")
    endforeach()
    return()
endif()

# The checked calls need the optimiser's object sizes; the sanitizers check
# those calls themselves, through the unchecked ones.
string(REGEX MATCHALL "(^| )-O[^ ]*" levels
    "${compile_flags} ${CMAKE_C_FLAGS_${config}} ${CMAKE_CXX_FLAGS_${config}}")
list(POP_BACK levels level)
string(STRIP "${level}" level)
if(compile_flags MATCHES "_FORTIFY_SOURCE")
    hardening_left_out(fortify "the packager's CFLAGS or CXXFLAGS decide it")
elseif(NOT level OR level STREQUAL "-O0")
    if(NOT level)
        set(level "no -O")
    endif()
    hardening_left_out(fortify "the build is not optimised (${level}), and the checks need it")
elseif(QUORVEL_SANITIZE)
    hardening_left_out(fortify "the sanitizers check those calls themselves")
else()
    # Level 3 (sizes known only at run time too) from GCC 12 and Clang 9;
    # an older C library reads it as 2. Undefined first: some compilers
    # define a level of their own.
    set(fortify_level 2)
    if((CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12)
        OR (CMAKE_CXX_COMPILER_ID STREQUAL "Clang" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 9))
        set(fortify_level 3)
    endif()
    add_compile_options(-U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=${fortify_level})
endif()

hardening_compile(stack-protector " -f(no-)?stack-protector" -fstack-protector-strong)
hardening_compile(stack-clash " -f(no-)?stack-clash-protection" -fstack-clash-protection)
hardening_compile(cf-protection " -f(no-)?cf-protection" -fcf-protection)
hardening_compile(format " -W(no-)?(error=)?format" -Wformat -Werror=format-security)

# RELRO and binding at start go together: -z relro alone is a packager's choice.
if(link_flags MATCHES "-z[ ,]*(no)?relro|-z[ ,]*(now|lazy)")
    hardening_left_out(relro "the packager's LDFLAGS decide it")
    hardening_left_out(bindnow "the packager's LDFLAGS decide it")
else()
    check_linker_flag(CXX "LINKER:-z,relro,-z,now" quorvel_links_bound_at_start)
    if(quorvel_links_bound_at_start)
        add_link_options(LINKER:-z,relro LINKER:-z,now)
    else()
        hardening_left_out(relro "the linker refuses -z relro -z now")
        hardening_left_out(bindnow "the linker refuses -z relro -z now")
    endif()
endif()

if("${compile_flags} ${link_flags}" MATCHES " -(no-|static-)?pie | -f(no-)?(pie|PIE) ")
    hardening_left_out(pie "the packager's flags decide it")
else()
    check_pie_supported(OUTPUT_VARIABLE pie_refused LANGUAGES CXX)
    if(CMAKE_CXX_LINK_PIE_SUPPORTED)
        set(CMAKE_POSITION_INDEPENDENT_CODE ON)
    else()
        hardening_left_out(pie "the toolchain refuses it: ${pie_refused}")
    endif()
endif()
