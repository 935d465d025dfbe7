# Golden frames of the two panels through the real plug-in, the generated
# texture and Mesa. Every flight value a panel shows is pinned: a test names
# only the values that differ from the resting state below, by the names of
# the plug-in's flight data. The outside view is a flat colour and the panel
# fills the screen: GA at scale 1 (475 x 320), Glass at scale 2 (756 x 364,
# five steps of the larger command), so its small digits stay legible.
#
#   include(${PROJECT_SOURCE_DIR}/tests/render/PanelGolden.cmake)
#   ostrel_add_panel_golden(NAME ga_golden_climb PANEL GA
#     GOLDEN ${CMAKE_CURRENT_SOURCE_DIR}/golden/ga_climb.png
#     SET Airspeed=95 Vertspeed=700 Gear0=0)
#
# The tolerance lets llvmpipe round differently by a few levels on a handful
# of pixels; a needle one degree off, or a lamp that is on or off, still fails.

include_guard(GLOBAL)
include(${PROJECT_SOURCE_DIR}/tests/sim/golden/Golden.cmake)

function(ostrel_add_panel_golden)
  # Name, dataref, resting value: parked, day, nothing lit, gear up. Kept
  # inside the function: the file is included once, from whichever folder
  # comes first, and functions are global where variables are not.
  set(state
    Lit          sim/cockpit/electrical/cockpit_lights_on 0
    Vno          sim/aircraft/view/acf_Vno 140
    Vfe          sim/aircraft/view/acf_Vfe 100
    Vne          sim/aircraft/view/acf_Vne 170
    Stalled      sim/cockpit2/annunciators/stall_warning 0
    Airspeed     sim/cockpit2/gauges/indicators/airspeed_kts_pilot 0
    Vertspeed    sim/cockpit2/gauges/indicators/vvi_fpm_pilot 0
    Heading      sim/flightmodel/position/magpsi 0
    Altitude     sim/flightmodel/misc/h_ind 0
    Bug          sim/cockpit2/autopilot/heading_dial_deg_mag_pilot 0
    Pitch        sim/flightmodel/position/theta 0
    Roll         sim/flightmodel/position/phi 0
    Brakes       sim/cockpit2/controls/parking_brake_ratio 0
    OM           sim/cockpit2/radios/indicators/outer_marker_lit 0
    MM           sim/cockpit2/radios/indicators/middle_marker_lit 0
    IM           sim/cockpit2/radios/indicators/inner_marker_lit 0
    Turn         sim/flightmodel/misc/turnrate_roll2 0
    Slip         sim/flightmodel/misc/slip 0
    HDG          sim/cockpit2/radios/indicators/nav1_course_deg_mag_pilot 0
    Nav1OBS      sim/cockpit2/radios/actuators/nav1_obs_deg_mag_pilot 0
    Nav1Hdef     sim/cockpit2/radios/indicators/nav1_hdef_dots_pilot 0
    Nav1Vdef     sim/cockpit2/radios/indicators/nav1_vdef_dots_pilot 0
    Nav1DME      sim/cockpit2/radios/indicators/nav1_has_dme 0
    Nav1DMEdist  sim/cockpit2/radios/indicators/nav1_dme_distance_nm 0
    Nav1DMEtime  sim/cockpit2/radios/indicators/nav1_dme_time_min 0
    Gear0        sim/flightmodel2/gear/deploy_ratio[0] 0
    Gear1        sim/flightmodel2/gear/deploy_ratio[1] 0
    Gear2        sim/flightmodel2/gear/deploy_ratio[2] 0
    Baro         sim/cockpit2/gauges/actuators/barometer_setting_in_hg_pilot 29.92
    FDmode       sim/cockpit2/autopilot/flight_director_mode 0
    FDpitch      sim/cockpit2/autopilot/flight_director_pitch_deg 0
    FDroll       sim/cockpit2/autopilot/flight_director_roll_deg 0
  )

  set(tolerance 6)
  set(max_pixels 6)

  cmake_parse_arguments(P "" "NAME;PANEL;GOLDEN" "SET" ${ARGN})
  if(NOT P_NAME OR NOT P_GOLDEN OR NOT P_PANEL MATCHES "^(GA|Glass)$")
    message(FATAL_ERROR "ostrel_add_panel_golden: NAME, GOLDEN and PANEL GA or Glass are required")
  endif()

  # Each override must name a known value, once.
  set(names "")
  list(LENGTH state n)
  foreach(i RANGE 0 ${n} 3)
    if(i LESS n)
      list(GET state ${i} name)
      list(APPEND names ${name})
    endif()
  endforeach()
  foreach(kv IN LISTS P_SET)
    if(NOT kv MATCHES "^([A-Za-z0-9]+)=(.+)$" OR NOT CMAKE_MATCH_1 IN_LIST names)
      message(FATAL_ERROR "ostrel_add_panel_golden(${P_NAME}): bad SET \"${kv}\"; names: ${names}")
    endif()
    if(DEFINED value_${CMAKE_MATCH_1})
      message(FATAL_ERROR "ostrel_add_panel_golden(${P_NAME}): ${CMAKE_MATCH_1} set twice")
    endif()
    set(value_${CMAKE_MATCH_1} ${CMAKE_MATCH_2})
  endforeach()

  set(args --at 11 --fps 1 --background 1E2A38)
  if(P_PANEL STREQUAL "GA")
    list(APPEND args --screen 475x320)
  else()
    list(APPEND args --screen 756x364 --command sim/view/ostrel_select@0)
    foreach(step RANGE 1 5)
      list(APPEND args --command sim/view/ostrel_panel_larger@0)
    endforeach()
  endif()
  foreach(i RANGE 0 ${n} 3)
    if(i LESS n)
      math(EXPR j "${i} + 1")
      math(EXPR k "${i} + 2")
      list(GET state ${i} name)
      list(GET state ${j} dataref)
      list(GET state ${k} value)
      if(DEFINED value_${name})
        set(value ${value_${name}})
      endif()
      list(APPEND args --set ${dataref}=${value})
    endif()
  endforeach()

  ostrel_add_golden_test(NAME ${P_NAME} GOLDEN ${P_GOLDEN} ARGS ${args}
    TOLERANCE ${tolerance} MAX_PIXELS ${max_pixels})
endfunction()
