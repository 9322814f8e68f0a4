include_guard(GLOBAL)

# An editor suite: its cases and adapters beside the editor kit (EditorDriving.cpp and the
# host's window and pointer), every format's host-kit headers on the include path, run in a
# real host window (Xvfb on Linux; Wine's X11 driver on Xvfb for Windows). LABELS come after
# host and gui; ALONE as vantor_add_gtest takes it.
function(vantor_add_editor_suite target)
  cmake_parse_arguments(suite "" "" "SOURCES;LIBRARIES;DEPENDS;LABELS;ENVIRONMENT;ALONE" ${ARGN})
  find_package(PNG REQUIRED)
  set(tests ${PROJECT_SOURCE_DIR}/tests)
  add_executable(${target} ${suite_SOURCES} ${tests}/editors/EditorDriving.cpp ${tests}/host/HostWindow.cpp
                           ${tests}/host/HostPointer.cpp)
  # The LV2 instance-access record's C declaration, to lay it out as another build would.
  target_include_directories(${target} PRIVATE ${tests}/editors ${tests}/clap ${tests}/vst3
                                               ${CMAKE_BINARY_DIR}/layers/lv2shell)
  target_link_libraries(${target} PRIVATE vantor_test_support vantor_hostkit vantor_editor_layout PNG::PNG GTest::gtest
                                          GTest::gtest_main Threads::Threads ${suite_LIBRARIES})
  add_dependencies(${target} ${suite_DEPENDS})
  if(WIN32)
    target_link_libraries(${target} PRIVATE gdi32 user32)
    set(launcher)
  else()
    find_package(X11 REQUIRED)
    target_link_libraries(${target} PRIVATE X11::X11 X11::Xtst)
    set(launcher LAUNCHER xvfb-run -a -s "-screen 0 1280x1024x24")
  endif()
  vantor_add_gtest(${target} LABELS host gui ${suite_LABELS} ENVIRONMENT "${suite_ENVIRONMENT}" ${launcher}
                   ALONE ${suite_ALONE})
endfunction()
