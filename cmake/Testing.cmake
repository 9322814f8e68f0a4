include_guard(GLOBAL)

# Registers a test the way add_test(NAME <name> COMMAND <command>...) does, with the command
# run through tests/run-isolated.sh: its own HOME, XDG folders, TMPDIR and Wine prefix, so
# no test touches the real ones or sees what another test left. A target named first in
# COMMAND must be given as $<TARGET_FILE:...>.
function(vantor_add_test name)
  cmake_parse_arguments(ARG "" "" "COMMAND" ${ARGN})
  set(run_isolated ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../tests/run-isolated.sh)
  cmake_path(NORMAL_PATH run_isolated)
  add_test(NAME ${name} COMMAND sh ${run_isolated} ${ARG_COMMAND})
endfunction()

# Under Wine each test has a prefix of its own (tests/run-isolated.sh), and booting one takes
# a quarter of a minute; the Windows build boots one once, and each GoogleTest program's own
# prefix starts as a copy of it (tests/host/run-under-wine.sh). Cached, so the test folders
# outside tests/ (tests/ship) see it too.
if(WIN32 AND CMAKE_CROSSCOMPILING_EMULATOR)
  set(VANTOR_WINE_TEMPLATE ${CMAKE_BINARY_DIR}/wine-template CACHE INTERNAL "The booted Wine prefix tests copy")
  add_custom_command(OUTPUT ${VANTOR_WINE_TEMPLATE}/system.reg
    COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/../tests/run-isolated.sh
            sh ${CMAKE_CURRENT_LIST_DIR}/../tests/host/wine-template.sh ${VANTOR_WINE_TEMPLATE}
    COMMENT "Booting the Wine prefix each test's own starts as a copy of"
    VERBATIM)
  add_custom_target(vantor_wine_template DEPENDS ${VANTOR_WINE_TEMPLATE}/system.reg)
endif()

# Registers a GoogleTest program with CTest. Passing needs GoogleTest's own summary line,
# so a program that ends early with exit code 0 still counts as a failure.
# LAUNCHER runs the program inside another command (xvfb-run for GUI tests); a Windows
# program runs under the cross-compiling emulator (Wine). ALONE names GoogleTest filters whose
# tests run once more, each filter in a process of its own: for what must hold when nothing
# else ran before in the process (the first editor opening of all), each as
# <target>_alone_<what follows the filter's last slash> (a parameterised case's row).
#
# Each label also names a target, tests_<label>, that builds every program carrying it and
# what those programs load or run: a build that runs only some labels (the sanitizer builds
# in scripts/test.sh: ctest -L memory, ctest -L threads) builds just that target instead of
# everything. Which labels a sanitizer build runs is decided in scripts/test.sh alone:
#   memory   worth running under AddressSanitizer + UndefinedBehaviorSanitizer: it feeds our
#            code bytes, sizes, chunks, files or lifetimes that could go wrong in memory
#   threads  worth running under ThreadSanitizer: more than one thread runs our code
function(vantor_add_gtest target)
  cmake_parse_arguments(ARG "" "" "ALONE;LABELS;ENVIRONMENT;LAUNCHER" ${ARGN})
  set(command ${ARG_LAUNCHER} ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${target}>)
  vantor_add_test(${target} COMMAND ${command})
  set(registered ${target})
  target_precompile_headers(${target} REUSE_FROM vantor_gtest_pch)
  if(TARGET vantor_wine_template)
    add_dependencies(${target} vantor_wine_template)
    list(APPEND ARG_ENVIRONMENT "VANTOR_WINE_TEMPLATE=${VANTOR_WINE_TEMPLATE}")
  endif()
  set_tests_properties(${target} PROPERTIES ENVIRONMENT "VANTOR_NO_DIALOGS=1;${ARG_ENVIRONMENT}")
  foreach(filter IN LISTS ARG_ALONE)
    string(REGEX REPLACE ".*/" "" row "${filter}")
    set(alone ${target}_alone_${row})
    vantor_add_test(${alone} COMMAND ${command} --gtest_filter=${filter})
    list(APPEND registered ${alone})
    # The runs may go at once: each presents into a capture file of its own, or one reads
    # another's frame, or a file half written by two.
    set(alone_environment ${ARG_ENVIRONMENT})
    list(TRANSFORM alone_environment REPLACE "^(VANTOR_CAPTURE_FRAME=.*)\\.png$" "\\1-alone-${row}.png")
    set_tests_properties(${alone} PROPERTIES ENVIRONMENT "VANTOR_NO_DIALOGS=1;${alone_environment}")
  endforeach()
  set_tests_properties(${registered} PROPERTIES
    LABELS "${ARG_LABELS}"
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\]"
    FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]"
    TIMEOUT 900)
  foreach(label IN LISTS ARG_LABELS)
    if(NOT TARGET tests_${label})
      # A module looks for its skin beside itself, and says so on stderr when it is missing.
      add_custom_target(tests_${label})
      # And the layer rule's checks, as every full build runs them.
      add_dependencies(tests_${label} vantor_skin vantor_layer_checks)
    endif()
    add_dependencies(tests_${label} ${target})
  endforeach()
endfunction()
