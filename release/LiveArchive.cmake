# Writes the Windows archive of Ostrel-Flyer Live, the panel in a window of
# its own fed by X-Plane over the network: one folder's worth of files a
# pilot unzips anywhere,
#   flyer-sim.exe, XPLM_64.dll (the host it loads the plug-in into),
#   OstrelWin.xpl, Ostrel.tga, Ostrel-Flyer-Live.cmd (double-click: find
#   X-Plane and open the window), Ostrel-Flyer-Tablet.cmd (the same, served
#   to web browsers on the network), Ostrel-Flyer-Live-README.txt,
#   Ostrel-Flyer-LICENSE.txt
#
#   cmake -DVERSION=1.1 -DEXE=path/flyer-sim.exe -DXPLM_DLL=path/XPLM_64.dll
#         -DXPL=path/OstrelWin.xpl -DTEXTURE=path/Ostrel.tga -DOUT_DIR=dist
#         -P release/LiveArchive.cmake
#
# The archive is Ostrel-Flyer-Live-<VERSION>-windows-x64.zip, its path left
# in ZIP; its entries carry a fixed time so the same files give the same
# archive. The page and the .cmd files get Windows line ends.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/ArchiveSteps.cmake)
ostrel_require(LiveArchive.cmake VERSION EXE XPLM_DLL XPL TEXTURE OUT_DIR)
get_filename_component(_src "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)

set(_name Ostrel-Flyer-Live-${VERSION}-windows-x64)
set(_stage ${OUT_DIR}/.stage-${_name})
file(REMOVE_RECURSE ${_stage})
file(MAKE_DIRECTORY ${_stage})
file(COPY_FILE ${EXE} ${_stage}/flyer-sim.exe)
file(COPY_FILE ${XPLM_DLL} ${_stage}/XPLM_64.dll)
file(COPY_FILE ${XPL} ${_stage}/OstrelWin.xpl)
file(COPY_FILE ${TEXTURE} ${_stage}/Ostrel.tga)
foreach(text Ostrel-Flyer-Live-README.txt Ostrel-Flyer-Live.cmd Ostrel-Flyer-Tablet.cmd)
  file(READ ${_src}/release/${text} _text)
  string(REPLACE "@VERSION@" "${VERSION}" _text "${_text}")
  string(REPLACE "\n" "\r\n" _text "${_text}")
  file(WRITE ${_stage}/${text} "${_text}")
endforeach()
file(COPY_FILE ${_src}/LICENSE ${_stage}/Ostrel-Flyer-LICENSE.txt)

set(ZIP ${OUT_DIR}/${_name}.zip)
ostrel_zip(${ZIP} ${_stage} flyer-sim.exe XPLM_64.dll OstrelWin.xpl Ostrel.tga Ostrel-Flyer-Live.cmd
           Ostrel-Flyer-Tablet.cmd Ostrel-Flyer-Live-README.txt Ostrel-Flyer-LICENSE.txt)
