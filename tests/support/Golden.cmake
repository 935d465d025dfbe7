# Golden-image tests: one flyer-sim frame compared with a checked-in PNG.
#
#   include(${PROJECT_SOURCE_DIR}/tests/support/Golden.cmake)
#   ostrel_add_golden_test(NAME ga_cruise
#     ARGS --at 11 --fps 2 --set sim/cockpit2/gauges/indicators/airspeed_kts_pilot=100
#     GOLDEN ${CMAKE_CURRENT_SOURCE_DIR}/golden/ga_cruise.png
#     TOLERANCE 2        # per channel, 0..255 (default 0)
#     MAX_PIXELS 10)     # pixels allowed beyond the tolerance (default 0)
#
# ARGS are flyer-sim's (they must include --at; the helper adds --png, and
# --gl software: the golden images are Mesa's software rasterizer's). The
# test is labelled "golden"; its frame, and on failure diff.png, are left in
# ${CMAKE_CURRENT_BINARY_DIR}/golden/<NAME>/. Regenerate goldens with
# OSTREL_UPDATE_GOLDENS=1 ctest -L golden, or `ninja update-goldens`.

include_guard(GLOBAL)

function(ostrel_add_golden_test)
  cmake_parse_arguments(G "" "NAME;GOLDEN;TOLERANCE;MAX_PIXELS" "ARGS" ${ARGN})
  if(NOT G_NAME OR NOT G_GOLDEN)
    message(FATAL_ERROR "ostrel_add_golden_test: NAME and GOLDEN are required")
  endif()
  if(NOT G_TOLERANCE)
    set(G_TOLERANCE 0)
  endif()
  if(NOT G_MAX_PIXELS)
    set(G_MAX_PIXELS 0)
  endif()
  add_test(NAME ${G_NAME}
    COMMAND ostrel-golden --sim $<TARGET_FILE:flyer-sim> --golden ${G_GOLDEN}
            --work ${CMAKE_CURRENT_BINARY_DIR}/golden/${G_NAME}
            --tolerance ${G_TOLERANCE} --max-pixels ${G_MAX_PIXELS} -- --gl software ${G_ARGS})
  set_tests_properties(${G_NAME} PROPERTIES LABELS golden)
endfunction()
