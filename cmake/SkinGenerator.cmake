# Builds the editor's skin folder from tools/skingen.
#
#   add_skin_target(<target> <output dir>)
#
# adds a target, built by default, that writes every skin file (textures,
# models, fonts and shaders) into <output dir>, and the textures and fonts
# again at double density into <output dir>/2x. It reruns when any generator
# source changes. The generator needs Debian's python3 with python3-pil and
# python3-numpy, and the DejaVu fonts (fonts-dejavu-core, fonts-dejavu-extra).

set(SKINGEN_PYTHON /usr/bin/python3 CACHE FILEPATH "Python interpreter with Pillow and numpy for the skin generator")
set(SKINGEN_DIR ${CMAKE_CURRENT_LIST_DIR}/../tools/skingen)
cmake_path(NORMAL_PATH SKINGEN_DIR)

function(add_skin_target TARGET_NAME OUTPUT_DIR)
  file(GLOB skingen_sources CONFIGURE_DEPENDS
       ${SKINGEN_DIR}/*.py
       ${SKINGEN_DIR}/shaders/*.vert
       ${SKINGEN_DIR}/shaders/*.frag)
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${TARGET_NAME}.stamp)
  add_custom_command(
    OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -E env PYTHONDONTWRITEBYTECODE=1
            ${SKINGEN_PYTHON} ${SKINGEN_DIR}/generate_skin.py ${OUTPUT_DIR}
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${skingen_sources}
    COMMENT "Generating skin files in ${OUTPUT_DIR}"
    VERBATIM)
  add_custom_target(${TARGET_NAME} ALL DEPENDS ${stamp})
endfunction()
