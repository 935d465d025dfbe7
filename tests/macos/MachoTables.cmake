cmake_minimum_required(VERSION 3.25)
# Checks the load tables of the universal macOS plug-in with llvm-objdump:
#   cmake -DOBJDUMP=llvm-objdump-14 -DLIPO=llvm-lipo-14 -DXPL=OstrelMac.xpl
#         -DFRAMEWORK=.../XPLM.framework/Versions/C/XPLM -DPATHS="dir;..."
#         [-DSAME_AS=other/OstrelMac.xpl] -P MachoTables.cmake
# Two slices, x86_64 and arm64, each a bundle that:
#   - exports exactly the five entry points;
#   - loads only libSystem, OpenGL.framework and XPLM, under the install name
#     of the SDK's XPLM.framework (FRAMEWORK);
#   - binds every imported symbol to one of them: from libSystem only the
#     C library functions below, gl* from OpenGL, XPLM* from XPLM;
#   - runs on every macOS the SDK's framework runs on (minimum per slice);
#   - holds none of the build machine's PATHS.
# With SAME_AS, both files must import the same symbols from the same
# libraries (the plug-in against the SDK's framework, and against the stub).

foreach(v OBJDUMP LIPO XPL FRAMEWORK PATHS)
  if(NOT DEFINED ${v})
    message(FATAL_ERROR "MachoTables.cmake: -D${v}=... is needed")
  endif()
endforeach()

function(objdump out file arch)
  execute_process(COMMAND ${OBJDUMP} --macho --arch=${arch} ${ARGN} ${file}
                  OUTPUT_VARIABLE text RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} --macho --arch=${arch} ${ARGN} ${file} failed: ${err}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# The slice's lowest macOS, from LC_BUILD_VERSION.
function(minimum_macos out file arch)
  objdump(text ${file} ${arch} --private-headers)
  if(NOT text MATCHES "LC_BUILD_VERSION\n[^\n]*\n *platform macos\n[^\n]*\n *minos ([0-9.]+)")
    message(FATAL_ERROR "${file} (${arch}) names no lowest macOS")
  endif()
  set(${out} ${CMAKE_MATCH_1} PARENT_SCOPE)
endfunction()

# "library:symbol" of every bind, sorted; weak binds are refused.
function(imports out file arch)
  set(found "")
  foreach(table --bind --lazy-bind)
    objdump(text ${file} ${arch} ${table})
    string(REGEX MATCHALL "\n__[^\n]+" rows "${text}")
    foreach(row IN LISTS rows)
      separate_arguments(cols UNIX_COMMAND "${row}")
      list(GET cols -2 lib)
      list(GET cols -1 sym)
      list(APPEND found "${lib}:${sym}")
    endforeach()
  endforeach()
  objdump(text ${file} ${arch} --weak-bind)
  if(text MATCHES "\n__")
    message(FATAL_ERROR "${file} (${arch}) has weak binds:\n${text}")
  endif()
  list(REMOVE_DUPLICATES found)
  list(SORT found)
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

file(SIZE ${XPL} size)
execute_process(COMMAND ${LIPO} -archs ${XPL} OUTPUT_VARIABLE archs OUTPUT_STRIP_TRAILING_WHITESPACE)
separate_arguments(archs UNIX_COMMAND "${archs}")
list(SORT archs)
message(STATUS "${XPL}: ${size} bytes, slices: ${archs}")
if(NOT archs STREQUAL "arm64;x86_64")
  message(FATAL_ERROR "slices are [${archs}], expected arm64 and x86_64")
endif()

execute_process(COMMAND ${OBJDUMP} --macho --arch=arm64 --dylib-id ${FRAMEWORK} OUTPUT_VARIABLE xplm_id)
string(REGEX MATCH "[^\n]+\n?$" xplm_id "${xplm_id}")
string(STRIP "${xplm_id}" xplm_id)
set(wanted_libs /System/Library/Frameworks/OpenGL.framework/Versions/A/OpenGL /usr/lib/libSystem.B.dylib ${xplm_id})
list(SORT wanted_libs)
# The C library functions the plug-in may call, and the lazy binder itself.
set(wanted_libsystem _fclose _fopen _fread _free _malloc _memmove _snprintf dyld_stub_binder)
set(wanted_exports _XPluginDisable _XPluginEnable _XPluginReceiveMessage _XPluginStart _XPluginStop)

foreach(arch IN LISTS archs)
  objdump(header ${XPL} ${arch} --private-header)
  if(NOT header MATCHES "MH_MAGIC_64 +[A-Z0-9_]+ +[A-Z0-9_]+ +0x[0-9a-f]+ +BUNDLE ")
    message(FATAL_ERROR "${arch}: not a bundle:\n${header}")
  endif()

  minimum_macos(min ${XPL} ${arch})
  minimum_macos(xplm_min ${FRAMEWORK} ${arch})
  message(STATUS "${arch}: bundle for macOS ${min} and later (the SDK's XPLM.framework: ${xplm_min})")
  if(min VERSION_GREATER xplm_min)
    message(FATAL_ERROR "${arch}: needs macOS ${min}, above the ${xplm_min} of the SDK's framework")
  endif()

  objdump(text ${XPL} ${arch} --exports-trie)
  string(REGEX MATCHALL "0x[0-9A-Fa-f]+ +[^ \n]+" rows "${text}")
  list(TRANSFORM rows REPLACE "^0x[0-9A-Fa-f]+ +" "")
  list(SORT rows)
  message(STATUS "${arch}: exports ${rows}")
  if(NOT rows STREQUAL wanted_exports)
    message(FATAL_ERROR "${arch}: exports [${rows}], expected exactly [${wanted_exports}]")
  endif()

  objdump(text ${XPL} ${arch} --dylibs-used)
  string(REGEX MATCHALL "\n\t[^\n(]+" libs "${text}")
  list(TRANSFORM libs STRIP)
  list(SORT libs)
  message(STATUS "${arch}: loads ${libs}")
  if(NOT libs STREQUAL wanted_libs)
    message(FATAL_ERROR "${arch}: loads [${libs}], expected [${wanted_libs}]")
  endif()

  imports(binds ${XPL} ${arch})
  foreach(lib libSystem OpenGL XPLM)
    set(from_${lib} "")
  endforeach()
  foreach(b IN LISTS binds)
    string(REPLACE ":" ";" b "${b}")
    list(GET b 0 lib)
    list(GET b 1 sym)
    if(NOT lib MATCHES "^(libSystem|OpenGL|XPLM)$")
      message(FATAL_ERROR "${arch}: ${sym} binds to ${lib}, none of the three libraries")
    endif()
    list(APPEND from_${lib} ${sym})
  endforeach()
  foreach(lib libSystem OpenGL XPLM)
    list(LENGTH from_${lib} n)
    message(STATUS "${arch}: ${n} from ${lib}: ${from_${lib}}")
  endforeach()
  if(NOT from_libSystem STREQUAL wanted_libsystem)
    message(FATAL_ERROR "${arch}: imports [${from_libSystem}] from libSystem, expected [${wanted_libsystem}]")
  endif()
  foreach(sym IN LISTS from_OpenGL)
    if(NOT sym MATCHES "^_gl[A-Z]")
      message(FATAL_ERROR "${arch}: ${sym} binds to OpenGL")
    endif()
  endforeach()
  foreach(sym IN LISTS from_XPLM)
    if(NOT sym MATCHES "^_XPLM[A-Z]")
      message(FATAL_ERROR "${arch}: ${sym} binds to XPLM")
    endif()
  endforeach()

  if(DEFINED SAME_AS)
    imports(other ${SAME_AS} ${arch})
    if(NOT binds STREQUAL other)
      message(FATAL_ERROR "${arch}: imports\n  [${binds}]\nbut ${SAME_AS} imports\n  [${other}]")
    endif()
    message(STATUS "${arch}: the same imports as ${SAME_AS}")
  endif()
endforeach()

file(READ ${XPL} hex HEX)
foreach(path IN LISTS PATHS)
  string(HEX "${path}" path_hex)
  string(FIND "${hex}" "${path_hex}" at)
  if(at GREATER -1)
    message(FATAL_ERROR "${XPL} holds the path ${path} of the machine that built it")
  endif()
endforeach()
