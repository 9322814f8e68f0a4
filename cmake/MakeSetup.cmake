# cmake -DVANTOR_MAKENSIS=<makensis> -DVANTOR_STAGE_DIR=<folder holding "Vantor Pro">
#       -DVANTOR_VERSION=<x.y.z> -DVANTOR_SETUP=<setup .exe> -DVANTOR_WORK_DIR=<folder>
#       [-DVANTOR_PACKAGE_DIR=<folder>] -P MakeSetup.cmake
#
# Makes the Windows setup program (packaging/windows/vantor-pro-setup.nsi) from the plug-in
# and renderer folders the release archive was packed from (cmake/MakeArchive.cmake), so the two always
# hold the same files. Into VANTOR_WORK_DIR go the lists of what each component installs
# and its uninstaller removes (cmake/NsisFileLists.cmake) and the licence text setup shows:
# the Licence section of the folder's README.txt (made from README.md) and the texts of the
# libraries built in.
# With VANTOR_PACKAGE_DIR, SHA256SUMS there is written again to list the setup program.

include(${CMAKE_CURRENT_LIST_DIR}/NsisFileLists.cmake)
set(plugin "${VANTOR_STAGE_DIR}/Vantor Pro")
set(renderer "${VANTOR_STAGE_DIR}/Vantor Pro Renderer")
set(bundle_presets "Vantor Pro.vst3/Contents/Resources/Presets")
file(REMOVE_RECURSE "${VANTOR_WORK_DIR}")
file(MAKE_DIRECTORY "${VANTOR_WORK_DIR}")

# The destinations are defined in the setup script; each ends in a folder of our own.
file(GLOB_RECURSE vst3_files RELATIVE "${plugin}/Vantor Pro.vst3" "${plugin}/Vantor Pro.vst3/*")
file(GLOB_RECURSE skin_files RELATIVE "${plugin}" "${plugin}/Skin/*")
file(GLOB fxp_files RELATIVE "${plugin}/Presets" "${plugin}/Presets/*.fxp")
file(GLOB vstpreset_files RELATIVE "${plugin}/${bundle_presets}" "${plugin}/${bundle_presets}/*.vstpreset")
file(GLOB licence_files RELATIVE "${plugin}" "${plugin}/licences/*.txt")
file(GLOB_RECURSE renderer_files RELATIVE "${renderer}" "${renderer}/*")
vantor_write_nsis_file_lists("${VANTOR_WORK_DIR}" vst3 vst3_bytes "${plugin}/Vantor Pro.vst3"
                             [[${VST3_DESTINATION}]] ${vst3_files})
vantor_write_nsis_file_lists("${VANTOR_WORK_DIR}" clap clap_bytes "${plugin}"
                             [[${CLAP_DESTINATION}]] "Vantor Pro.clap" ${skin_files})
vantor_write_nsis_file_lists("${VANTOR_WORK_DIR}" vst2 vst2_bytes "${plugin}"
                             [[${VST2_DESTINATION}]] "Vantor Pro.dll" ${skin_files})
vantor_write_nsis_file_lists("${VANTOR_WORK_DIR}" fxp fxp_bytes "${plugin}/Presets"
                             [[${FXP_DESTINATION}]] ${fxp_files})
vantor_write_nsis_file_lists("${VANTOR_WORK_DIR}" vst3-presets vstpreset_bytes "${plugin}/${bundle_presets}"
                             [[${VST3_PRESETS_DESTINATION}]] ${vstpreset_files})
vantor_write_nsis_file_lists("${VANTOR_WORK_DIR}" renderer renderer_bytes "${renderer}"
                             [[${RENDERER_DESTINATION}]] ${renderer_files})
vantor_write_nsis_file_lists("${VANTOR_WORK_DIR}" licences licence_bytes "${plugin}"
                             [[${PROGRAM_FOLDER}]] ${licence_files})

# Sizes for the components page, in tenths of a megabyte.
function(megabytes bytes variable)
  math(EXPR tenths "(${bytes} * 10 + 524288) / 1048576")
  math(EXPR whole "${tenths} / 10")
  math(EXPR tenth "${tenths} % 10")
  set(${variable} "${whole}.${tenth} MB" PARENT_SCOPE)
endfunction()
megabytes(${vst3_bytes} vst3_size)
megabytes(${clap_bytes} clap_size)
megabytes(${vst2_bytes} vst2_size)
megabytes(${renderer_bytes} renderer_size)
math(EXPR preset_bytes "${fxp_bytes} + ${vstpreset_bytes}")
megabytes(${preset_bytes} presets_size)

# Ours, the readme's Licence section, first; then each built-in library's, with CRLF line
# ends and a byte-order mark so the licence page reads it as UTF-8 (some authors' names are
# not ASCII).
file(READ "${plugin}/README.txt" readme)
string(REPLACE "\r\n" "\n" readme "${readme}")
set(heading "\nLicence\n-------\n")
string(FIND "${readme}" "${heading}" start)
if(start EQUAL -1)
  message(FATAL_ERROR "${plugin}/README.txt has no Licence section for the licence page")
endif()
string(LENGTH "${heading}" heading_length)
math(EXPR start "${start} + ${heading_length}")
string(SUBSTRING "${readme}" ${start} -1 ours)
# It ends where the next heading, a line underlined with dashes, begins.
string(REGEX REPLACE "\n\n[^\n]+\n-+\n.*$" "" ours "${ours}")
string(STRIP "${ours}" ours)
# The licence page wraps lines itself; the readme's own line breaks would leave ragged ends.
string(REGEX REPLACE "([^\n])\n([^\n])" "\\1 \\2" ours "${ours}")
string(ASCII 239 187 191 licence)
string(APPEND licence "${ours}\n\nSetup installs these licence texts into Program Files\\Brackwel\\Vantor Pro\\licences; "
       "they follow here.")
foreach(licence_file IN LISTS licence_files)
  cmake_path(GET licence_file STEM library)
  file(READ "${plugin}/${licence_file}" text)
  string(APPEND licence "\n\n======== ${library} ========\n\n${text}")
endforeach()
# The renderer's own: the libsndfile DLL beside it and its licence, the LGPL.
file(GLOB renderer_licence_files RELATIVE "${renderer}" "${renderer}/licences/*.txt")
foreach(licence_file IN LISTS renderer_licence_files)
  list(FIND licence_files "${licence_file}" shared)
  if(shared EQUAL -1)
    cmake_path(GET licence_file STEM library)
    file(READ "${renderer}/${licence_file}" text)
    string(APPEND licence "\n\n======== ${library} (Renderer) ========\n\n${text}")
  endif()
endforeach()
string(REPLACE "\n" "\r\n" licence "${licence}")
set(licence_text "${VANTOR_WORK_DIR}/licence.txt")
file(WRITE "${licence_text}" "${licence}")

execute_process(
  COMMAND "${VANTOR_MAKENSIS}" -V2 -WX -INPUTCHARSET UTF8 -DVERSION=${VANTOR_VERSION} -DOUTFILE=${VANTOR_SETUP}
          -DLISTS=${VANTOR_WORK_DIR} -DLICENCE=${licence_text} -DVST3_SIZE=${vst3_size}
          -DCLAP_SIZE=${clap_size} -DVST2_SIZE=${vst2_size} -DRENDERER_SIZE=${renderer_size} -DPRESETS_SIZE=${presets_size}
          ${CMAKE_CURRENT_LIST_DIR}/../packaging/windows/vantor-pro-setup.nsi
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "makensis failed (${result}) making ${VANTOR_SETUP}")
endif()

if(VANTOR_PACKAGE_DIR)
  include(${CMAKE_CURRENT_LIST_DIR}/WriteChecksums.cmake)
  vantor_write_checksums("${VANTOR_PACKAGE_DIR}" "${VANTOR_VERSION}")
endif()
