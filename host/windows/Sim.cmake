# flyer-sim.exe (included from windows/Host.cmake): the shared flyer-sim
# sources with PNG files through stb (windows/ImageStb.cpp) and without what
# needs Cairo, GLFW or ELF (windows/SimWithoutLinux.cpp). The header-only
# libraries (CLI11, stb) come from the build machine's /usr/include, each
# through a folder of its own so no other Linux header is seen.

set(_hdr ${CMAKE_BINARY_DIR}/linux-headers)
file(MAKE_DIRECTORY ${_hdr})
foreach(dir CLI stb)
  if(NOT EXISTS ${_hdr}/${dir})
    file(CREATE_LINK /usr/include/${dir} ${_hdr}/${dir} SYMBOLIC)
  endif()
endforeach()

set(_sim ${CMAKE_CURRENT_SOURCE_DIR}/sim)
add_executable(flyer-sim
  ${_sim}/CallbackChecks.cpp
  ${_sim}/CircuitFlight.cpp
  ${_sim}/CsvFlight.cpp
  ${_sim}/CsvLines.cpp
  ${_sim}/Datarefs.cpp
  ${_sim}/Events.cpp
  ${_sim}/Flight.cpp
  ${_sim}/GarminLog.cpp
  ${_sim}/ImageRows.cpp
  ${_sim}/Options.cpp
  ${_sim}/Progress.cpp
  ${_sim}/Recording.cpp
  ${_sim}/XPlaneData.cpp
  ${_sim}/MouseRouter.cpp
  ${_sim}/main.cpp
  ${_sim}/Modes.cpp
  ${_sim}/Session.cpp
  ${_sim}/SimFolder.cpp
  ${_sim}/OutsideView.cpp
  windows/ImageStb.cpp
  windows/SimWithoutLinux.cpp
)
target_include_directories(flyer-sim PRIVATE ${_sim})
target_include_directories(flyer-sim SYSTEM PRIVATE ${_hdr})
target_link_libraries(flyer-sim PRIVATE ostrel_host_wgl)
target_compile_options(flyer-sim PRIVATE ${OSTREL_WARNINGS})
# Defaults: the plug-in beside the program; the texture must be given.
target_compile_definitions(flyer-sim PRIVATE
  OSTREL_DEFAULT_PLUGIN="OstrelWin.xpl" OSTREL_DEFAULT_TEXTURE="Ostrel.tga")
ostrel_host_executable(flyer-sim)
add_dependencies(flyer-sim OstrelPlugin)
