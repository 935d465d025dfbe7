# Cross build of the macOS plug-in on Linux, one architecture per build
# folder: Zig's clang compiles against the macOS C headers Zig ships, Debian's
# ld64.lld-14 links (and signs the arm64 slice ad hoc). The Linux build joins
# both slices into the universal OstrelMac.xpl (cmake/MacBuild.cmake).
#
#   cmake -S . -B build/mac-arm64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/macos.cmake \
#         -DOSTREL_MACOS_ARCH=arm64 -DOSTREL_TESTS=OFF
#
# Zig 0.11.0 is installed by scripts/deps.sh into OSTREL_ZIG_DIR.
set(CMAKE_SYSTEM_NAME Darwin)

set(OSTREL_MACOS_ARCH arm64 CACHE STRING "Architecture of this build folder: arm64 or x86_64")
include(${CMAKE_CURRENT_LIST_DIR}/macos/Zig.cmake)
if(NOT EXISTS ${OSTREL_ZIG_DIR}/zig)
  message(FATAL_ERROR "No Zig in ${OSTREL_ZIG_DIR} (OSTREL_ZIG_DIR); scripts/deps.sh installs it there")
endif()
# The compiler checks configure small projects of their own; they need both.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES OSTREL_MACOS_ARCH OSTREL_ZIG_DIR)

# Lowest macOS per slice: 11.0 is the first with arm64. Zig's driver stops at
# 11.0, the oldest macOS its C headers come for, so x86_64 names 10.15 itself
# and reads the 11.0 headers, as Apple's own 11.0 SDK serves older targets.
set(_libc ${OSTREL_ZIG_DIR}/lib/libc/include)
if(OSTREL_MACOS_ARCH STREQUAL "arm64")
  set(CMAKE_SYSTEM_PROCESSOR arm64)
  set(OSTREL_MACOS_MIN 11.0)
  set(_target aarch64-macos.${OSTREL_MACOS_MIN})
  set(_headers -isystem ${CMAKE_CURRENT_LIST_DIR}/macos/include)
elseif(OSTREL_MACOS_ARCH STREQUAL "x86_64")
  set(CMAKE_SYSTEM_PROCESSOR x86_64)
  set(OSTREL_MACOS_MIN 10.15)
  set(_target x86_64-macos.${OSTREL_MACOS_MIN})
  set(_headers -isystem ${CMAKE_CURRENT_LIST_DIR}/macos/include -isystem ${_libc}/x86_64-macos.11-none
               -isystem ${_libc}/any-macos.11-any -isystem ${_libc}/any-macos-any)
else()
  message(FATAL_ERROR "OSTREL_MACOS_ARCH is '${OSTREL_MACOS_ARCH}'; arm64 or x86_64")
endif()
set(OSTREL_MACOS_SDK 11.0)

# The compiler is "zig cc" / "zig c++"; its own C++ library is never linked
# (the plug-in needs only the C library, see plugin/). Zig builds its C and
# C++ runtime libraries the first time it links a program, which takes
# minutes: with the target named, CMake identifies the compiler from an
# object file, and its checks make static libraries.
set(CMAKE_C_COMPILER ${OSTREL_ZIG_DIR}/zig cc ${_headers})
set(CMAKE_CXX_COMPILER ${OSTREL_ZIG_DIR}/zig c++ ${_headers})
set(CMAKE_C_COMPILER_TARGET ${_target})
set(CMAKE_CXX_COMPILER_TARGET ${_target})
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

find_program(CMAKE_LINKER NAMES ld64.lld-14 ld64.lld REQUIRED)
# What Apple's SDK would give the link: libSystem's stub from Zig, and the
# OpenGL header and stub of cmake/macos/ (see there).
set(OSTREL_MACOS_LIBS ${OSTREL_ZIG_DIR}/lib/libc/darwin/libSystem.11.tbd
                      ${CMAKE_CURRENT_LIST_DIR}/macos/OpenGL.tbd)
set(CMAKE_USER_MAKE_RULES_OVERRIDE_CXX ${CMAKE_CURRENT_LIST_DIR}/macos/LinkRules.cmake)

set(CMAKE_FIND_ROOT_PATH ${OSTREL_ZIG_DIR})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
