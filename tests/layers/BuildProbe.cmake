cmake_minimum_required(VERSION 3.25)
# Configures and builds the probe tree of layers (tests/layers/probe) in WORK_DIR with
# GENERATOR (MAKE_PROGRAM) and this build's compiler, toolchain and sanitizer, with the
# layer CASE added when it is given. With EXPECT the build must fail with a message that
# matches it; without, it must pass.
set(configure_options -DVANTOR_CMAKE_DIR=${CMAKE_DIR} -DPROBE_CASE=${CASE} -DVANTOR_SANITIZER=${SANITIZER}
                      -DCMAKE_MAKE_PROGRAM=${MAKE_PROGRAM} -DCMAKE_CXX_COMPILER=${CXX_COMPILER})
if(TOOLCHAIN_FILE)
  list(APPEND configure_options -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN_FILE})
endif()
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} -S ${PROBE_DIR} -B ${WORK_DIR} -G ${GENERATOR} ${configure_options}
                RESULT_VARIABLE failed OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(failed)
  message(FATAL_ERROR "The probe tree does not configure:\n${output}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK_DIR}
                RESULT_VARIABLE failed OUTPUT_VARIABLE output ERROR_VARIABLE output)
message("${output}")
if(EXPECT AND NOT failed)
  message(FATAL_ERROR "The probe tree built; it should have failed with '${EXPECT}'")
elseif(EXPECT AND NOT output MATCHES "${EXPECT}")
  message(FATAL_ERROR "The probe tree failed, but not with '${EXPECT}'")
elseif(NOT EXPECT AND failed)
  message(FATAL_ERROR "The probe tree does not build")
endif()
