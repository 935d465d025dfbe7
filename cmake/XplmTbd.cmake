# Writes the macOS link stub of the simulator's XPLM.framework: a text
# (.tbd) library with the framework's install name that lists the SDK
# functions of sdk/XPLM_64.def, the list the Windows import library is made
# from, so both platforms import the same functions.
#
#   cmake -DDEF=sdk/XPLM_64.def -DTBD=build/sdk/XPLM.tbd -P cmake/XplmTbd.cmake
cmake_minimum_required(VERSION 3.25)
foreach(v DEF TBD)
  if(NOT DEFINED ${v})
    message(FATAL_ERROR "XplmTbd.cmake: -D${v}=... is needed")
  endif()
endforeach()

file(STRINGS ${DEF} _lines)
set(_symbols "")
set(_in_exports OFF)
foreach(l IN LISTS _lines)
  if(l MATCHES "^EXPORTS")
    set(_in_exports ON)
  elseif(_in_exports AND l MATCHES "^[ \t]+([A-Za-z_][A-Za-z0-9_]*)")
    list(APPEND _symbols _${CMAKE_MATCH_1})
  endif()
endforeach()
if(NOT _symbols)
  message(FATAL_ERROR "${DEF} lists no functions after EXPORTS")
endif()
list(JOIN _symbols ",\n                   " _symbols)

# The install name, versions and architectures of the SDK's XPLM.framework.
file(WRITE ${TBD} "--- !tapi-tbd
tbd-version:     4
targets:         [ x86_64-macos, arm64-macos ]
install-name:    '@rpath/XPLM.framework/Versions/C/XPLM'
current-version: 1
compatibility-version: 1
exports:
  - targets:     [ x86_64-macos, arm64-macos ]
    symbols:     [ ${_symbols} ]
...
")
