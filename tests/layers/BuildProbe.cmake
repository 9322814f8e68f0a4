cmake_minimum_required(VERSION 3.25)
# Builds TARGETS (separated by commas) of the probe tree of layers configured in WORK_DIR
# (tests/layers/ConfigureProbe.cmake). With EXPECT the build must fail with a message that
# matches it; without, it must pass.
string(REPLACE "," ";" targets "${TARGETS}")
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK_DIR} --target ${targets}
                RESULT_VARIABLE failed OUTPUT_VARIABLE output ERROR_VARIABLE output)
message("${output}")
if(EXPECT AND NOT failed)
  message(FATAL_ERROR "The probe tree built; it should have failed with '${EXPECT}'")
elseif(EXPECT AND NOT output MATCHES "${EXPECT}")
  message(FATAL_ERROR "The probe tree failed, but not with '${EXPECT}'")
elseif(NOT EXPECT AND failed)
  message(FATAL_ERROR "The probe tree does not build")
endif()
