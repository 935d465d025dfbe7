# Makes one release archive and checks it (see release/Archive.cmake and
# release/CheckArchive.cmake, which take the same -D variables).
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/../../release/Archive.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/../../release/CheckArchive.cmake)
