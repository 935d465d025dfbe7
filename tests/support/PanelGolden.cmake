# Golden frames of the two panels through the real plug-in, the generated
# texture and Mesa, over flyer-sim's flight "rest". A test names only the
# values that differ from the resting state (host/include/host/
# PublishedDatarefs.h: parked, day, nothing lit, gear down), by their short
# names. The outside view is a flat colour and the panel fills the screen:
# GA at scale 1, Glass at scale 2 (five steps of the larger command), so its
# small digits stay legible; the panels' sizes are read from
# plugin/render/PanelGeometry.h.
#
#   include(${PROJECT_SOURCE_DIR}/tests/support/PanelGolden.cmake)
#   ostrel_add_panel_golden(NAME ga_golden_climb PANEL GA
#     GOLDEN ${CMAKE_CURRENT_SOURCE_DIR}/golden/ga_climb.png
#     SET Airspeed=95 Vertspeed=700 Gear[0]=0)
#
# The tolerance lets llvmpipe round differently by a few levels on a handful
# of pixels; a needle one degree off, or a lamp that is on or off, still fails.

include_guard(GLOBAL)
include(${PROJECT_SOURCE_DIR}/tests/support/Golden.cmake)

# The screen that the panel fills at scale `scale`: GA_PANEL or GLASS_PANEL
# ("constexpr PanelSize GA_PANEL = {475, 320};") times scale, as WxH.
function(_ostrel_panel_screen panel scale out)
  set(geometry ${PROJECT_SOURCE_DIR}/plugin/render/PanelGeometry.h)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${geometry})
  file(STRINGS ${geometry} line REGEX "^constexpr PanelSize ${panel}_PANEL = ")
  if(NOT line MATCHES "= {([0-9]+), ([0-9]+)}")
    message(FATAL_ERROR "PanelGolden.cmake: no size of ${panel}_PANEL in ${geometry}")
  endif()
  math(EXPR w "${scale} * ${CMAKE_MATCH_1}")
  math(EXPR h "${scale} * ${CMAKE_MATCH_2}")
  set(${out} ${w}x${h} PARENT_SCOPE)
endfunction()

function(ostrel_add_panel_golden)
  set(tolerance 6)
  set(max_pixels 6)

  cmake_parse_arguments(P "" "NAME;PANEL;GOLDEN" "SET" ${ARGN})
  if(NOT P_NAME OR NOT P_GOLDEN OR NOT P_PANEL MATCHES "^(GA|Glass)$")
    message(FATAL_ERROR "ostrel_add_panel_golden: NAME, GOLDEN and PANEL GA or Glass are required")
  endif()

  set(args --flight rest --at 11 --fps 1 --background 1E2A38)
  if(P_PANEL STREQUAL "GA")
    _ostrel_panel_screen(GA 1 screen)
    list(APPEND args --screen ${screen})
  else()
    _ostrel_panel_screen(GLASS 2 screen)
    list(APPEND args --screen ${screen} --command Switch@0)
    foreach(step RANGE 1 5)
      list(APPEND args --command Larger@0)
    endforeach()
  endif()
  # Each override names a value once; flyer-sim refuses unknown names.
  set(names "")
  foreach(kv IN LISTS P_SET)
    if(NOT kv MATCHES "^([A-Za-z0-9]+(\\[[0-9]\\])?)=(.+)$" OR CMAKE_MATCH_1 IN_LIST names)
      message(FATAL_ERROR "ostrel_add_panel_golden(${P_NAME}): bad or repeated SET \"${kv}\"")
    endif()
    list(APPEND names ${CMAKE_MATCH_1})
    list(APPEND args --set ${kv})
  endforeach()

  ostrel_add_golden_test(NAME ${P_NAME} GOLDEN ${P_GOLDEN} ARGS ${args}
    TOLERANCE ${tolerance} MAX_PIXELS ${max_pixels})
endfunction()
