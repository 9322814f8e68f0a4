# Registers a GoogleTest program with CTest. Passing needs GoogleTest's own summary line,
# so a program that ends early with exit code 0 still counts as a failure.
function(vantor_add_gtest target)
  cmake_parse_arguments(ARG "" "" "LABELS;ENVIRONMENT" ${ARGN})
  add_test(NAME ${target} COMMAND ${target})
  set_tests_properties(${target} PROPERTIES
    LABELS "${ARG_LABELS}"
    ENVIRONMENT "VANTOR_NO_DIALOGS=1;${ARG_ENVIRONMENT}"
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\]"
    FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]"
    TIMEOUT 900)
endfunction()
