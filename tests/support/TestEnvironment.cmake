include_guard(GLOBAL)

# A test's environment from VARIABLE=path entries, each path as the test program reads it:
# under Wine, which sees the Unix file system as drive Z:, in Windows form.
function(vantor_path_environment out)
  set(entries)
  foreach(entry IN LISTS ARGN)
    if(WIN32)
      string(REGEX REPLACE "=(.*)" "=Z:\\1" entry "${entry}")
      string(REPLACE "/" "\\" entry "${entry}")
    endif()
    list(APPEND entries "${entry}")
  endforeach()
  set(${out} "${entries}" PARENT_SCOPE)
endfunction()
