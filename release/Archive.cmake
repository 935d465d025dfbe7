# Writes one release archive, exactly what a pilot unzips into the X-Plane
# folder:
#   Resources/plugins/<plug-in>.xpl, Resources/plugins/Ostrel.tga,
#   Ostrel-Flyer-README.txt, Ostrel-Flyer-LICENSE.txt
#
#   cmake -DPLATFORM=linux|windows|macos -DVERSION=1.1 -DXPL=path/OstrelLin.xpl
#         -DTEXTURE=path/Ostrel.tga -DOUT_DIR=dist -P release/Archive.cmake
#
# The archive is Ostrel-Flyer-<VERSION>-<PLATFORM>-x64.zip (macos-universal
# for the Mac's plug-in, which holds both architectures), its path left in
# ZIP; its entries carry a fixed time so the same files give the same archive.
# The pilot's page keeps its lines between @MACOS_BEGIN@ and @MACOS_END@ in
# the Mac's archive only.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/ArchiveSteps.cmake)
ostrel_require(Archive.cmake PLATFORM VERSION XPL TEXTURE OUT_DIR)
get_filename_component(_src "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
get_filename_component(_xpl_name "${XPL}" NAME)

if(PLATFORM STREQUAL "macos")
  set(_name Ostrel-Flyer-${VERSION}-${PLATFORM}-universal)
else()
  set(_name Ostrel-Flyer-${VERSION}-${PLATFORM}-x64)
endif()
set(_stage ${OUT_DIR}/.stage-${_name})
file(REMOVE_RECURSE ${_stage})
file(MAKE_DIRECTORY ${_stage}/Resources/plugins)
file(COPY_FILE ${XPL} ${_stage}/Resources/plugins/${_xpl_name})
file(COPY_FILE ${TEXTURE} ${_stage}/Resources/plugins/Ostrel.tga)
set(XPL_NAME ${_xpl_name})
file(READ ${_src}/release/Ostrel-Flyer-README.txt _readme)
string(REPLACE "@VERSION@" "${VERSION}" _readme "${_readme}")
string(REPLACE "@XPL@" "${_xpl_name}" _readme "${_readme}")
if(PLATFORM STREQUAL "macos")
  string(REGEX REPLACE "@MACOS_(BEGIN|END)@\n" "" _readme "${_readme}")
else()
  string(REGEX REPLACE "@MACOS_BEGIN@\n[^@]*@MACOS_END@\n" "" _readme "${_readme}")
endif()
if(PLATFORM STREQUAL "windows")
  string(REPLACE "\n" "\r\n" _readme "${_readme}")  # Notepad-friendly
endif()
file(WRITE ${_stage}/Ostrel-Flyer-README.txt "${_readme}")
file(COPY_FILE ${_src}/LICENSE ${_stage}/Ostrel-Flyer-LICENSE.txt)

set(ZIP ${OUT_DIR}/${_name}.zip)
ostrel_zip(${ZIP} ${_stage} Resources/plugins/${_xpl_name} Resources/plugins/Ostrel.tga
           Ostrel-Flyer-README.txt Ostrel-Flyer-LICENSE.txt)
