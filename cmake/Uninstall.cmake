# cmake -DVANTOR_INSTALL_MANIFEST=<install_manifest.txt> -DVANTOR_INSTALL_FOLDER=<name>
#       -DVANTOR_VST3_BUNDLE_FOLDER=<name> -DVANTOR_LV2_BUNDLE_FOLDER=<name> -P Uninstall.cmake
#
# Removes every file the manifest lists, then the plug-in's folders (named VANTOR_INSTALL_FOLDER
# or, for the VST3 and LV2 hosts' copies of the bundles, VANTOR_VST3_BUNDLE_FOLDER and
# VANTOR_LV2_BUNDLE_FOLDER) and the folders
# inside them that this left empty. Files a user added, and the folders above
# the plug-in's own, stay. Files already gone are reported, not an error.

cmake_minimum_required(VERSION 3.25)
set(plugin_folder_names "${VANTOR_INSTALL_FOLDER}" "${VANTOR_VST3_BUNDLE_FOLDER}" "${VANTOR_LV2_BUNDLE_FOLDER}")

if(NOT EXISTS "${VANTOR_INSTALL_MANIFEST}")
  message(FATAL_ERROR "Nothing to uninstall: ${VANTOR_INSTALL_MANIFEST} does not exist (run cmake --install first)")
endif()

file(STRINGS "${VANTOR_INSTALL_MANIFEST}" installed_files)
set(plugin_folders "")
foreach(file IN LISTS installed_files)
  if(IS_SYMLINK "${file}" OR EXISTS "${file}")
    message(STATUS "Removing ${file}")
    file(REMOVE "${file}")
  else()
    message(STATUS "Already gone: ${file}")
  endif()
  # The plug-in's own folder is the nearest one with one of its folder names.
  cmake_path(GET file PARENT_PATH folder)
  while(folder)
    cmake_path(GET folder FILENAME name)
    if(name IN_LIST plugin_folder_names)
      list(APPEND plugin_folders "${folder}")
      break()
    endif()
    cmake_path(GET folder PARENT_PATH parent)
    if(parent STREQUAL folder)
      break()
    endif()
    set(folder "${parent}")
  endwhile()
endforeach()
list(REMOVE_DUPLICATES plugin_folders)

# Deepest folders first, so that a folder emptied by removing its sub-folders goes too.
foreach(top IN LISTS plugin_folders)
  file(GLOB_RECURSE sub_folders LIST_DIRECTORIES true "${top}/*")
  list(SORT sub_folders ORDER DESCENDING)
  foreach(folder IN LISTS sub_folders top)
    if(IS_DIRECTORY "${folder}" AND NOT IS_SYMLINK "${folder}")
      file(GLOB entries LIST_DIRECTORIES true "${folder}/*" "${folder}/.*")
      if(NOT entries)
        message(STATUS "Removing empty folder ${folder}")
        file(REMOVE_RECURSE "${folder}")
      endif()
    endif()
  endforeach()
endforeach()
