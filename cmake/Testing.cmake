# Registers a GoogleTest program with CTest. Passing needs GoogleTest's own summary line,
# so a program that ends early with exit code 0 still counts as a failure.
# LAUNCHER runs the program inside another command (xvfb-run for GUI tests).
function(vantor_add_gtest target)
  cmake_parse_arguments(ARG "" "" "LABELS;ENVIRONMENT;LAUNCHER" ${ARGN})
  if(ARG_LAUNCHER)
    add_test(NAME ${target} COMMAND ${ARG_LAUNCHER} $<TARGET_FILE:${target}>)
  else()
    add_test(NAME ${target} COMMAND ${target})
  endif()
  set_tests_properties(${target} PROPERTIES
    LABELS "${ARG_LABELS}"
    ENVIRONMENT "VANTOR_NO_DIALOGS=1;${ARG_ENVIRONMENT}"
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\]"
    FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]"
    TIMEOUT 900)
endfunction()
