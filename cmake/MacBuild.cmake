# The macOS plug-in, made by the Linux build: the plug-in alone is cross-built
# once per architecture (cmake/macos.cmake, in macos/x86_64 and macos/arm64
# of the build folder) and llvm-lipo joins the two slices into the universal
# macos/OstrelMac.xpl (target ostrel_macos). On by default where the toolchain
# of scripts/deps.sh is installed; the sanitized build leaves it out.

include(${CMAKE_CURRENT_LIST_DIR}/macos/Zig.cmake)
find_program(OSTREL_LD64 NAMES ld64.lld-14 ld64.lld)
find_program(OSTREL_LIPO NAMES llvm-lipo-14 llvm-lipo)
set(_macos_default OFF)
if(EXISTS ${OSTREL_ZIG_DIR}/zig AND OSTREL_LD64 AND OSTREL_LIPO AND NOT OSTREL_SANITIZE)
  set(_macos_default ON)
endif()
option(OSTREL_MACOS "Also cross-build the universal macOS plug-in (Zig, ld64.lld, llvm-lipo)" ${_macos_default})
if(NOT OSTREL_MACOS)
  return()
endif()
if(NOT EXISTS ${OSTREL_ZIG_DIR}/zig OR NOT OSTREL_LD64 OR NOT OSTREL_LIPO)
  message(FATAL_ERROR "OSTREL_MACOS needs Zig in ${OSTREL_ZIG_DIR}, ld64.lld-14 and llvm-lipo-14 "
                      "(scripts/deps.sh installs them)")
endif()
include(ExternalProject)

# ostrel_macos_universal(TARGET DIR [CMAKE_ARGS...]): the two slices built in
# DIR/<arch> with the given extra cache settings, joined into
# DIR/OstrelMac.xpl by TARGET (in the default build).
function(ostrel_macos_universal target dir)
  set(slices "")
  set(steps "")
  foreach(arch x86_64 arm64)
    ExternalProject_Add(${target}_${arch}
      SOURCE_DIR ${PROJECT_SOURCE_DIR}
      PREFIX ${dir}/${arch}-steps
      BINARY_DIR ${dir}/${arch}
      CMAKE_GENERATOR Ninja
      CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/macos.cmake
                 -DOSTREL_MACOS_ARCH=${arch} -DOSTREL_ZIG_DIR=${OSTREL_ZIG_DIR}
                 -DCMAKE_BUILD_TYPE=Release -DOSTREL_TESTS=OFF ${ARGN}
      BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target OstrelPlugin
      BUILD_ALWAYS ON
      BUILD_BYPRODUCTS ${dir}/${arch}/OstrelMac.xpl
      INSTALL_COMMAND "")
    list(APPEND slices ${dir}/${arch}/OstrelMac.xpl)
    list(APPEND steps ${target}_${arch})
  endforeach()
  add_custom_command(OUTPUT ${dir}/OstrelMac.xpl
    COMMAND ${OSTREL_LIPO} -create ${slices} -output ${dir}/OstrelMac.xpl
    DEPENDS ${slices} ${steps}
    COMMENT "Universal OstrelMac.xpl in ${dir}")
  add_custom_target(${target} ALL DEPENDS ${dir}/OstrelMac.xpl)
endfunction()

set(OSTREL_MACOS_XPL ${CMAKE_BINARY_DIR}/macos/OstrelMac.xpl)
ostrel_macos_universal(ostrel_macos ${CMAKE_BINARY_DIR}/macos -DXPLM_SDK_DIR=${XPLM_SDK_DIR})
