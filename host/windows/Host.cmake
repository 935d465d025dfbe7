# The simulator stand-in on Windows (included from host/CMakeLists.txt).
#
# XPLM_64: the host state and every XPLM function as a real XPLM_64.dll, the
#   name the plug-in imports from, as in the simulator. It also exports the
#   host's C++ interface (host/Host.h) to the programs that drive it.
# ostrel_host: the plug-in loader (LoadLibrary) over XPLM_64.
# ostrel_host_wgl: the offscreen WGL context and the graphics backend.
# flyer-sim.exe: host/windows/Sim.cmake.
#
# Everything carries its C++ runtime (-static): under Wine or on a pilot's
# machine no MinGW DLL is needed.

set(OpenGL_GL_PREFERENCE LEGACY)
find_package(OpenGL REQUIRED)

add_library(XPLM_64 SHARED src/Host.cpp src/Xplm.cpp)
target_include_directories(XPLM_64 PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/include)
target_link_libraries(XPLM_64 PUBLIC xplm_sdk)
target_compile_definitions(XPLM_64 PRIVATE XPLM=1)
target_compile_options(XPLM_64 PRIVATE ${OSTREL_WARNINGS})
target_link_options(XPLM_64 PRIVATE -static -Wl,--export-all-symbols -Wl,--exclude-libs,ALL)
set_target_properties(XPLM_64 PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

add_library(ostrel_host STATIC
  src/PluginLibrary.cpp
  src/SharedLibraryWin.cpp
  src/TempFolder.cpp
)
target_include_directories(ostrel_host PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/include)
target_link_libraries(ostrel_host PUBLIC XPLM_64)
target_compile_options(ostrel_host PRIVATE ${OSTREL_WARNINGS})

add_library(ostrel_host_wgl STATIC
  src/OffscreenWgl.cpp
  src/OffscreenGLCommon.cpp
  src/MesaGraphics.cpp
)
target_link_libraries(ostrel_host_wgl PUBLIC ostrel_host OpenGL::GL gdi32 user32)
target_compile_options(ostrel_host_wgl PRIVATE ${OSTREL_WARNINGS})

# A host program: the host and the static runtime; it finds XPLM_64.dll
# beside itself.
function(ostrel_host_executable target)
  target_link_libraries(${target} PRIVATE ostrel_host)
  target_link_options(${target} PRIVATE -static)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
endfunction()

add_subdirectory(sim/live)
include(windows/Sim.cmake)
