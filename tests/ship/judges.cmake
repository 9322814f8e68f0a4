# The outside judges: Steinberg's VST3 validator and Tracktion's pluginval, from the shared
# validators' folder beside the project (test tools only, never linked or shipped), on the
# bundles this build made. build.sh unpacks them once into this build folder (seconds);
# run.sh isolates every run (bundle copies, own HOME and X server, own Wine prefix) and
# passes only when every validator run passes. A clone without that folder goes without them.
set(VANTOR_VALIDATORS "${PROJECT_SOURCE_DIR}/../shared/validators"
    CACHE PATH "The shared validators' folder (build.sh, run.sh)")
if(NOT EXISTS "${VANTOR_VALIDATORS}/run.sh")
  message(STATUS "Judges: no validators in ${VANTOR_VALIDATORS}; their tests are left out")
  return()
endif()
set(judges ${CMAKE_CURRENT_BINARY_DIR}/validators)
set(judge_logs ${CMAKE_CURRENT_BINARY_DIR}/judge-logs)
set(judge_run bash ${VANTOR_VALIDATORS}/run.sh --dir ${judges})

vantor_add_test(judges_tools COMMAND bash ${VANTOR_VALIDATORS}/build.sh --prebuilt ${judges})
set_tests_properties(judges_tools PROPERTIES LABELS judges TIMEOUT 1200 FIXTURES_SETUP vantor_judges)

if(WIN32)
  # Wine sees the build's bundle through drive Z:, which run.sh takes care of.
  vantor_add_test(judges_steinberg_vst3_win64 COMMAND ${judge_run} --logs ${judge_logs}/steinberg-win64
                                                      --win ${VANTOR_VST3_BUNDLE})
  set(judge_tests judges_steinberg_vst3_win64)
else()
  vantor_add_test(judges_steinberg_vst3 COMMAND ${judge_run} --no-pluginval --logs ${judge_logs}/steinberg
                                                ${VANTOR_VST3_BUNDLE})
  # Strictness 10 with the editor tests, each on an X server of its own.
  vantor_add_test(judges_pluginval_vst3 COMMAND ${judge_run} --no-steinberg --strictness 10
                                                --logs ${judge_logs}/pluginval-vst3 ${VANTOR_VST3_BUNDLE})
  vantor_add_test(judges_pluginval_lv2 COMMAND ${judge_run} --strictness 10 --logs ${judge_logs}/pluginval-lv2
                                               ${VANTOR_LV2_BUNDLE})
  set(judge_tests judges_steinberg_vst3 judges_pluginval_vst3 judges_pluginval_lv2)
endif()
set_tests_properties(${judge_tests} PROPERTIES LABELS judges TIMEOUT 900 FIXTURES_REQUIRED vantor_judges)
