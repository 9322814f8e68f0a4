# vantor_write_nsis_file_lists(<list folder> <name> <bytes variable> <source folder> <destination>
#                              <relative path>...)
#
# Writes the NSIS lines that install the given files (paths relative to <source folder>)
# below <destination>, an NSIS expression such as "$COMMONPROGRAMFILES64\VST3", into
# <list folder>/<name>-install.nsh, and the lines that remove exactly those files again into
# <name>-uninstall.nsh, followed by every folder they lie in, deepest first, down to
# <destination> itself: RMDir without /r removes a folder only when it is empty, so whatever
# a user keeps there stays. Sets <bytes variable> to the files' size.
function(vantor_write_nsis_file_lists list_folder name bytes_variable source_folder destination)
  set(install "")
  set(uninstall "")
  set(folders "")
  set(bytes 0)
  set(current_folder "none")
  foreach(relative IN LISTS ARGN)
    cmake_path(GET relative PARENT_PATH folder)
    if(folder STREQUAL "")
      set(target "${destination}")
    else()
      string(REPLACE "/" "\\" windows_folder "${folder}")
      set(target "${destination}\\${windows_folder}")
    endif()
    if(NOT target STREQUAL current_folder)
      string(APPEND install "SetOutPath \"${target}\"\n")
      set(current_folder "${target}")
    endif()
    string(APPEND install "File \"${source_folder}/${relative}\"\n")
    cmake_path(GET relative FILENAME file_name)
    string(APPEND uninstall "Delete \"${target}\\${file_name}\"\n")
    file(SIZE "${source_folder}/${relative}" file_bytes)
    math(EXPR bytes "${bytes} + ${file_bytes}")
    # Every level between the file and the destination, so folders holding only folders go too.
    while(NOT folder STREQUAL "")
      list(APPEND folders "${folder}")
      cmake_path(GET folder PARENT_PATH folder)
    endwhile()
  endforeach()

  # Deepest first: a folder is empty only once the folders inside it are gone.
  list(REMOVE_DUPLICATES folders)
  list(SORT folders ORDER DESCENDING)
  foreach(folder IN LISTS folders)
    string(REPLACE "/" "\\" windows_folder "${folder}")
    string(APPEND uninstall "RMDir \"${destination}\\${windows_folder}\"\n")
  endforeach()
  string(APPEND uninstall "RMDir \"${destination}\"\n")

  file(WRITE "${list_folder}/${name}-install.nsh" "${install}")
  file(WRITE "${list_folder}/${name}-uninstall.nsh" "${uninstall}")
  set(${bytes_variable} ${bytes} PARENT_SCOPE)
endfunction()
