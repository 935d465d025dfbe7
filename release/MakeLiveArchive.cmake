# Makes the archive of Ostrel-Flyer Live and checks it (see LiveArchive.cmake
# and CheckLiveArchive.cmake, which take the same -D variables);
# scripts/release.sh and the release_archive_windows_live test run it.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/LiveArchive.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/CheckLiveArchive.cmake)
