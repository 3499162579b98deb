# Runs the include check over small planted source trees and expects it to
# pass on each tree whose includes go down and to fail, naming the file and
# the include, on each tree with one upward include.
#
#   cmake -DCHECK=<LayerCheck.cmake> -DWORK=<scratch folder> -DLAYERS=<a;b;c> -P LayerCheckTest.cmake
#
# Each case plants one file in a fresh tree that has a folder for every
# layer plus tests/; a case is: name, planted file, its include line, and
# the expected outcome (pass, or fail).
cmake_minimum_required(VERSION 3.25)

string(REPLACE ":" ";" LAYERS "${LAYERS}")
list(GET LAYERS 0 lowest)
list(GET LAYERS 1 second)
list(GET LAYERS -1 highest)

set(cases
    "down|${second}/Planted.cpp|#include \"${lowest}/Base.h\"|pass"
    "own_folder|${second}/Planted.cpp|#include \"${second}/Other.h\"|pass"
    "system_header|${lowest}/Planted.cpp|#include <vector>|pass"
    "tests_include_anything|tests/Planted.cpp|#include \"${highest}/Top.h\"|pass"
    "up|${lowest}/Planted.h|#include \"${highest}/Top.h\"|fail"
    "up_one_layer|${lowest}/Planted.h|#include \"${second}/Other.h\"|fail"
    "up_in_angle_brackets|${lowest}/Planted.cpp|  #  include <${highest}/Top.h>|fail"
    "up_through_dotdot|${lowest}/sub/Planted.cpp|#include \"../../${highest}/Top.h\"|fail"
    "layer_includes_tests|${highest}/Planted.cpp|#include \"tests/Helper.h\"|fail")

set(failures 0)
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 name)
  list(GET fields 1 planted)
  list(GET fields 2 include)
  list(GET fields 3 expected)

  set(tree "${WORK}/${name}")
  file(REMOVE_RECURSE "${tree}")
  foreach(folder IN LISTS LAYERS ITEMS tests)
    file(WRITE "${tree}/${folder}/Ok.h" "#pragma once\n#include <string>\n")
  endforeach()
  file(WRITE "${tree}/${planted}" "// planted\n${include}\nint planted();\n")

  execute_process(COMMAND ${CMAKE_COMMAND} "-DROOT=${tree}" "-DLAYERS=${LAYERS}" -P "${CHECK}"
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(expected STREQUAL "pass" AND NOT result EQUAL 0)
    message("${name}: the check failed on a tree whose includes go down:\n${output}")
    math(EXPR failures "${failures} + 1")
  elseif(expected STREQUAL "fail" AND result EQUAL 0)
    message("${name}: the check passed a planted upward include (${planted}: ${include})")
    math(EXPR failures "${failures} + 1")
  elseif(expected STREQUAL "fail" AND NOT output MATCHES "${planted}: includes")
    message("${name}: the check failed without naming ${planted}:\n${output}")
    math(EXPR failures "${failures} + 1")
  endif()
endforeach()

if(failures GREATER 0)
  message(FATAL_ERROR "${failures} case(s) of the include check went wrong")
endif()
list(LENGTH cases count)
message("${count} planted trees: the include check passed and failed as expected")
