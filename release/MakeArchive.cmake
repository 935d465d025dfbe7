# Makes one release archive and checks it (see Archive.cmake and
# CheckArchive.cmake, which take the same -D variables); scripts/release.sh
# and the release_archive_* tests run it.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/Archive.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/CheckArchive.cmake)
