# Unpacks the archive of Ostrel-Flyer Live and checks it: exactly its eight
# files, the programs and the plug-in byte for byte the ones given, the
# texture loading with the plug-in's own TGA loader (TGA_CHECK), the page
# naming the version. With OBJDUMP (MinGW-w64's), flyer-sim.exe and
# XPLM_64.dll import nothing but each other and Windows' own DLLs, so the
# folder needs nothing else. With WINE_RUN (tests/windows/wine-run.sh) and
# WINE_PREFIX, flyer-sim.exe renders a frame from the unpacked folder with
# its defaults: the plug-in and the texture beside it.
#
#   cmake -DZIP=dist/Ostrel-Flyer-Live-1.1-windows-x64.zip -DEXE=... -DXPLM_DLL=...
#         -DXPL=... -DTGA_CHECK=... [-DOBJDUMP=...] [-DWINE_RUN=... -DWINE_PREFIX=...]
#         -P release/CheckLiveArchive.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/ArchiveSteps.cmake)
ostrel_require(CheckLiveArchive.cmake ZIP EXE XPLM_DLL XPL TGA_CHECK)
get_filename_component(_zip_name "${ZIP}" NAME_WLE)
set(_dir ${ZIP}.unpacked)
ostrel_unpack_expecting(${ZIP} ${_dir} Ostrel-Flyer-LICENSE.txt Ostrel-Flyer-Live-README.txt
                        Ostrel-Flyer-Live.cmd Ostrel-Flyer-Tablet.cmd Ostrel.tga OstrelWin.xpl XPLM_64.dll
                        flyer-sim.exe)
ostrel_expect_same(${ZIP} ${_dir}/flyer-sim.exe ${EXE})
ostrel_expect_same(${ZIP} ${_dir}/XPLM_64.dll ${XPLM_DLL})
ostrel_expect_same(${ZIP} ${_dir}/OstrelWin.xpl ${XPL})

execute_process(COMMAND ${TGA_CHECK} ${_dir}/Ostrel.tga RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${ZIP}: Ostrel.tga does not load")
endif()

# The text files end their lines as Windows does (file(READ) drops CRs:
# counted in the bytes).
foreach(text Ostrel-Flyer-Live-README.txt Ostrel-Flyer-Live.cmd Ostrel-Flyer-Tablet.cmd)
  file(READ ${_dir}/${text} _hex HEX)
  string(REGEX MATCHALL ".." _bytes "${_hex}")
  list(JOIN _bytes " " _bytes)
  string(REGEX MATCHALL "(^| )0a" _lf "${_bytes}")
  string(REGEX MATCHALL "0d 0a" _crlf "${_bytes}")
  list(LENGTH _lf _lf)
  list(LENGTH _crlf _crlf)
  if(_lf EQUAL 0 OR NOT _lf EQUAL _crlf)
    message(FATAL_ERROR "${ZIP}: ${text} has ${_lf} line ends, ${_crlf} of them Windows'")
  endif()
endforeach()
file(READ ${_dir}/Ostrel-Flyer-Live-README.txt _readme)
string(REGEX MATCH "-([0-9][0-9.]*)-windows-x64$" _m "${_zip_name}")
set(_version "${CMAKE_MATCH_1}")
if(NOT _readme MATCHES "Ostrel-Flyer Live ${_version}:")
  message(FATAL_ERROR "${ZIP}: the page does not name version ${_version}")
endif()
if(_readme MATCHES "@[A-Z_]+@")
  message(FATAL_ERROR "${ZIP}: the page keeps a placeholder (${CMAKE_MATCH_0})")
endif()
file(READ ${_dir}/Ostrel-Flyer-Live.cmd _cmd)
if(NOT _cmd MATCHES "\"%~dp0flyer-sim.exe\" --live %\\* --window\n")
  message(FATAL_ERROR "${ZIP}: Ostrel-Flyer-Live.cmd does not start flyer-sim.exe --live --window")
endif()
file(READ ${_dir}/Ostrel-Flyer-Tablet.cmd _cmd)
if(NOT _cmd MATCHES "\"%~dp0flyer-sim.exe\" --live %\\* --serve 0\\.0\\.0\\.0:8080\n")
  message(FATAL_ERROR "${ZIP}: Ostrel-Flyer-Tablet.cmd does not start flyer-sim.exe --live --serve 0.0.0.0:8080")
endif()

if(DEFINED OBJDUMP)
  set(_system "^(KERNEL32|USER32|GDI32|OPENGL32|WS2_32|MSWSOCK|IPHLPAPI|WINMM|ADVAPI32|SHELL32|msvcrt|ntdll|api-ms-win-[a-z0-9-]+)\\.dll$")
  string(TOUPPER "${_system}" _system)
  foreach(file flyer-sim.exe XPLM_64.dll)
    execute_process(COMMAND ${OBJDUMP} -p ${_dir}/${file} OUTPUT_VARIABLE _pe RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "${OBJDUMP} -p ${file} failed")
    endif()
    string(REGEX MATCHALL "DLL Name: [^\n]+" _lines "${_pe}")
    foreach(l IN LISTS _lines)
      string(REGEX REPLACE "DLL Name: *" "" dll "${l}")
      string(TOUPPER "${dll}" up)
      if(NOT up MATCHES "${_system}" AND NOT (file STREQUAL "flyer-sim.exe" AND up STREQUAL "XPLM_64.DLL"))
        message(FATAL_ERROR "${ZIP}: ${file} imports ${dll}, which is neither in the archive nor Windows' own")
      endif()
    endforeach()
  endforeach()
endif()

if(DEFINED WINE_RUN)
  execute_process(
    COMMAND ${WINE_RUN} ${WINE_PREFIX} ${_dir}/flyer-sim.exe --at 1 --png frame.png --screen 320x200
    WORKING_DIRECTORY ${_dir} RESULT_VARIABLE rc OUTPUT_VARIABLE _out ERROR_VARIABLE _out)
  if(NOT rc EQUAL 0 OR NOT EXISTS ${_dir}/frame.png OR _out MATCHES "warning")
    message(FATAL_ERROR "${ZIP}: flyer-sim.exe does not run from the unpacked folder (${rc}):\n${_out}")
  endif()
endif()
file(REMOVE_RECURSE ${_dir})
message(STATUS "${ZIP}: files, programs, plug-in, texture and page as expected")
