# The steps every release archive's scripts share: included by Archive.cmake,
# LiveArchive.cmake and their checkers.

# Stops unless each named variable was given with -D.
function(ostrel_require script)
  foreach(v ${ARGN})
    if(NOT DEFINED ${v})
      message(FATAL_ERROR "${script}: -D${v}=... is needed")
    endif()
  endforeach()
endfunction()

# Zips FILES (paths relative to STAGE) into ZIP_PATH, entries with a fixed
# time so the same files give the same archive, then removes STAGE.
function(ostrel_zip zip_path stage)
  file(REMOVE ${zip_path})
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E tar cf ${zip_path} --format=zip "--mtime=2026-01-01 00:00:00 UTC" ${ARGN}
    WORKING_DIRECTORY ${stage}
    RESULT_VARIABLE rc)
  file(REMOVE_RECURSE ${stage})
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cannot write ${zip_path}")
  endif()
  message(STATUS "wrote ${zip_path}")
endfunction()

# Unpacks ZIP_PATH into DIR (emptied first) and stops unless it holds
# exactly the files named after it.
function(ostrel_unpack_expecting zip_path dir)
  file(REMOVE_RECURSE ${dir})
  file(MAKE_DIRECTORY ${dir})
  execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${zip_path} WORKING_DIRECTORY ${dir} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${zip_path}: cannot unpack")
  endif()
  file(GLOB_RECURSE found RELATIVE ${dir} ${dir}/*)
  list(SORT found)
  set(wanted ${ARGN})
  list(SORT wanted)
  if(NOT found STREQUAL wanted)
    message(FATAL_ERROR "${zip_path} holds [${found}], expected [${wanted}]")
  endif()
endfunction()

# Stops unless FILE, unpacked from ZIP_PATH, is byte for byte BUILT.
function(ostrel_expect_same zip_path file built)
  file(SHA256 ${file} in_zip)
  file(SHA256 ${built} from_build)
  if(NOT in_zip STREQUAL from_build)
    get_filename_component(name ${file} NAME)
    message(FATAL_ERROR "${zip_path}: ${name} is not the one built at ${built}")
  endif()
endfunction()
