cmake_minimum_required(VERSION 3.25)
# Fails when an object of layer LAYER was compiled from another layer's header that it did
# not reach through that layer's include folder (LAYERS_DIR/<name>, holding the link <name>
# to SOURCE_ROOT/<name>) on the target's include path: "../other/x.h", "own/../other/x.h"
# through its own folder's link, an absolute path, or the include folder of a layer the
# target does not link. Each path is followed through links to the file it names, so no
# spelling hides whose header it is.
#   OBJECT_LIST   the target's objects, one a line; each one's dependency file is the
#                 compiler's own beside it (<object>.d), as Make leaves it, or the copy
#                 cmake/KeepDependencyFile.sh keeps of it under Ninja (<object>.layer.d)
#   OBJECT_DIR    the folder they sit under, to name them in messages
#   INCLUDE_LIST  the target's include folders, one a line
# LAYER empty (a module file's objects, from several layers' folders): each object is held to
# the layer of its source's folder, with that layer's own include folders
# (LAYERS_DIR/vantor_<layer>-includes.txt), whatever else the module's target had.
# Called after each build of the layer (cmake/Layers.cmake).

# The file PATH names, each ".." taken from where the links before it lead: "a/link/../x.h"
# is x.h beside the link's target, which file(REAL_PATH) alone, dropping "link/.." first,
# would miss.
function(vantor_physical_path path output)
  cmake_path(ABSOLUTE_PATH path)
  string(REPLACE "/" ";" parts "${path}")
  set(followed "")
  foreach(part IN LISTS parts)
    if(part STREQUAL "" OR part STREQUAL ".")
      continue()
    elseif(part STREQUAL "..")
      cmake_path(GET followed PARENT_PATH followed)
    else()
      file(REAL_PATH "${followed}/${part}" followed)
    endif()
  endforeach()
  set(${output} "${followed}" PARENT_SCOPE)
endfunction()

file(STRINGS ${OBJECT_LIST} objects)
file(REAL_PATH ${SOURCE_ROOT} real_source_root)
set(failures "")
set(missing "")
foreach(object IN LISTS objects)
  cmake_path(NORMAL_PATH object)
  cmake_path(RELATIVE_PATH object BASE_DIRECTORY ${OBJECT_DIR} OUTPUT_VARIABLE compiled)
  cmake_path(REMOVE_EXTENSION compiled LAST_ONLY)
  if(LAYER STREQUAL "")
    string(REGEX REPLACE "/.*" "" object_layer "${compiled}")
    set(layer_includes ${LAYERS_DIR}/vantor_${object_layer}-includes.txt)
    if(NOT compiled MATCHES "/" OR NOT EXISTS ${layer_includes})
      string(APPEND failures "\n  ${compiled}: in no layer's folder")
      continue()
    endif()
    file(STRINGS ${layer_includes} include_dirs)
  else()
    set(object_layer ${LAYER})
    file(STRINGS ${INCLUDE_LIST} include_dirs)
  endif()
  set(dependency_file ${object}.d)
  if(NOT EXISTS ${dependency_file})
    set(dependency_file ${object}.layer.d)
  endif()
  if(NOT EXISTS ${dependency_file})
    string(APPEND missing "\n  ${object}")
    continue()
  endif()
  file(READ ${dependency_file} dependencies)
  # One path a word: line continuations dropped, escaped spaces kept.
  string(REPLACE "\\\n" " " dependencies "${dependencies}")
  string(REPLACE "\\ " "<space>" dependencies "${dependencies}")
  string(STRIP "${dependencies}" dependencies)
  string(REGEX REPLACE "[\n\t ]+" ";" dependencies "${dependencies}")
  foreach(dependency IN LISTS dependencies)
    string(REPLACE "<space>" " " dependency "${dependency}")
    # The object, named before the files it depends on.
    if(dependency MATCHES ":$")
      continue()
    endif()
    vantor_physical_path("${dependency}" real)
    string(FIND "${real}" "${real_source_root}/" at)
    if(NOT at EQUAL 0)
      continue()
    endif()
    cmake_path(RELATIVE_PATH real BASE_DIRECTORY ${real_source_root} OUTPUT_VARIABLE inside)
    string(REGEX REPLACE "/.*" "" owner "${inside}")
    if(owner STREQUAL object_layer)
      continue()
    endif()
    set(root ${LAYERS_DIR}/${owner})
    string(FIND "${dependency}" "${root}/${owner}/" at)
    if(root IN_LIST include_dirs AND at EQUAL 0)
      continue()
    endif()
    string(APPEND failures "\n  ${compiled}: src/${inside} (as ${dependency})")
  endforeach()
endforeach()
# An object without one would pass whatever it was compiled from.
if(missing)
  message(FATAL_ERROR "Layer '${LAYER}': no dependency file to check for these objects (under Ninja, is the "
                      "target compiled through cmake/KeepDependencyFile.sh?):${missing}")
endif()
if(failures)
  if(LAYER STREQUAL "")
    set(checked "A module's sources")
  else()
    set(checked "Layer '${LAYER}'")
  endif()
  message(FATAL_ERROR "${checked} reached other layers' headers by a path of its own; include them "
                      "as \"layer/Header.h\" from a layer it links:${failures}")
endif()
