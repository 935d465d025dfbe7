# Unpacks a release archive and checks it: exactly the four files in their
# places, the plug-in byte for byte the one given, and the texture loading
# with the plug-in's own TGA loader (TGA_CHECK, a program that exits 0 when
# LoadTGA accepts the file as a 1024 x 1024 image).
#
#   cmake -DZIP=dist/Ostrel-Flyer-1.1-linux-x64.zip -DXPL=build/release/OstrelLin.xpl
#         -DTGA_CHECK=build/release/ostrel-tga-check -P release/CheckArchive.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/ArchiveSteps.cmake)
ostrel_require(CheckArchive.cmake ZIP XPL TGA_CHECK)
get_filename_component(_xpl_name "${XPL}" NAME)
get_filename_component(_zip_name "${ZIP}" NAME_WLE)
set(_dir ${ZIP}.unpacked)
ostrel_unpack_expecting(${ZIP} ${_dir} Ostrel-Flyer-LICENSE.txt Ostrel-Flyer-README.txt
                        Resources/plugins/Ostrel.tga Resources/plugins/${_xpl_name})
ostrel_expect_same(${ZIP} ${_dir}/Resources/plugins/${_xpl_name} ${XPL})

execute_process(COMMAND ${TGA_CHECK} ${_dir}/Resources/plugins/Ostrel.tga RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${ZIP}: Ostrel.tga does not load")
endif()

file(READ ${_dir}/Ostrel-Flyer-README.txt _readme)
string(REGEX MATCH "-([0-9][0-9.]*)-[a-z]+-[a-z0-9]+$" _m "${_zip_name}")
if(NOT _readme MATCHES "Ostrel-Flyer ${CMAKE_MATCH_1} for X-Plane" OR NOT _readme MATCHES "${_xpl_name}")
  message(FATAL_ERROR "${ZIP}: the README does not name version ${CMAKE_MATCH_1} and ${_xpl_name}")
endif()
if(_readme MATCHES "@[A-Z_]+@")
  message(FATAL_ERROR "${ZIP}: the README keeps a placeholder (${CMAKE_MATCH_0})")
endif()
# How to clear macOS's quarantine belongs in the Mac's page, and only there.
set(_mac OFF)
if(_zip_name MATCHES "-macos-")
  set(_mac ON)
endif()
set(_quarantine OFF)
if(_readme MATCHES "com\\.apple\\.quarantine")
  set(_quarantine ON)
endif()
if(NOT _mac STREQUAL _quarantine)
  message(FATAL_ERROR "${ZIP}: the README's macOS section is missing, or where it does not belong")
endif()
file(REMOVE_RECURSE ${_dir})
message(STATUS "${ZIP}: layout, plug-in and texture as expected")
