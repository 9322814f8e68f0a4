cmake_minimum_required(VERSION 3.25)
# Configures the probe tree of layers (tests/layers/probe) afresh in WORK_DIR with GENERATOR
# (MAKE_PROGRAM) and this build's compiler, toolchain and sanitizer; tests/layers/BuildProbe.cmake
# builds it.
set(configure_options -DVANTOR_CMAKE_DIR=${CMAKE_DIR} -DVANTOR_SANITIZER=${SANITIZER}
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
