# cmake -DVANTOR_README=<README.md> -DVANTOR_README_TEXT=<README.txt> -DVANTOR_PLATFORM=linux|win64
#       -DVANTOR_VERSION=<x.y.z> -P ReadmeText.cmake
#
# Writes the release archive's plain-text readme from README.md, so both say the same: the
# sections for producers (everything before "## Building from source"), without the parts
# marked for the other platform (<!-- only linux --> ... <!-- end -->, <!-- only win64 -->
# ... <!-- end -->), without images, and with the markdown markup a text editor would show
# taken out: links keep their text, `code` and **bold** lose their marks, headings are
# underlined, code blocks are indented. The first line names the version and the platform;
# the release files README.md names carry VANTOR_VERSION. Tables stay as they are.
# Windows gets CRLF line ends.

foreach(variable VANTOR_README VANTOR_README_TEXT VANTOR_PLATFORM VANTOR_VERSION)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "ReadmeText.cmake needs -D${variable}=")
  endif()
endforeach()
if(VANTOR_PLATFORM STREQUAL "linux")
  set(other_platform win64)
  set(title "Vantor Pro ${VANTOR_VERSION} for Linux x86_64")
  set(newline "\n")
elseif(VANTOR_PLATFORM STREQUAL "win64")
  set(other_platform linux)
  set(title "Vantor Pro ${VANTOR_VERSION} for 64-bit Windows")
  set(newline "\r\n")
else()
  message(FATAL_ERROR "VANTOR_PLATFORM is linux or win64, not '${VANTOR_PLATFORM}'")
endif()

file(READ "${VANTOR_README}" text)
string(REPLACE "\r\n" "\n" text "${text}")

# The producers' part ends where building from source begins.
string(FIND "${text}" "\n## Building from source" end)
if(end EQUAL -1)
  message(FATAL_ERROR "${VANTOR_README} has no '## Building from source' section to end the readme at")
endif()
string(SUBSTRING "${text}" 0 ${end} text)

# Drop the other platform's parts; this platform's keep their text without the markers.
set(end_marker "<!-- end -->\n")
foreach(platform ${other_platform} ${VANTOR_PLATFORM})
  set(start_marker "<!-- only ${platform} -->\n")
  string(FIND "${text}" "${start_marker}" start)
  while(NOT start EQUAL -1)
    string(SUBSTRING "${text}" ${start} -1 rest)
    string(FIND "${rest}" "${end_marker}" length)
    if(length EQUAL -1)
      message(FATAL_ERROR "${VANTOR_README}: '<!-- only ${platform} -->' without '<!-- end -->'")
    endif()
    string(SUBSTRING "${text}" 0 ${start} before)
    string(LENGTH "${end_marker}" end_length)
    math(EXPR after_start "${length} + ${end_length}")
    string(SUBSTRING "${rest}" ${after_start} -1 after)
    if(platform STREQUAL VANTOR_PLATFORM)
      string(LENGTH "${start_marker}" start_length)
      math(EXPR kept_length "${length} - ${start_length}")
      string(SUBSTRING "${rest}" ${start_length} ${kept_length} kept)
      set(text "${before}${kept}${after}")
    else()
      set(text "${before}${after}")
    endif()
    string(FIND "${text}" "${start_marker}" start)
  endwhile()
endforeach()

# Images go; links keep their text; the version in release file names is this build's.
string(REGEX REPLACE "!\\[[^]\n]*\\]\\([^)\n]*\\)\n*" "" text "${text}")
string(REGEX REPLACE "\\[([^]\n]*)\\]\\([^)\n]*\\)" "\\1" text "${text}")
string(REGEX REPLACE "(Vantor-Pro-|vantor-pro_)[0-9]+\\.[0-9]+\\.[0-9]+" "\\1${VANTOR_VERSION}" text "${text}")
string(REPLACE "**" "" text "${text}")

# Line by line: headings and code blocks. Semicolons, backslashes and brackets would upset
# CMake's lists, so they travel as placeholders.
string(REPLACE "\\" "<backslash>" text "${text}")
string(REPLACE ";" "<semicolon>" text "${text}")
string(REPLACE "[" "<open>" text "${text}")
string(REPLACE "]" "<close>" text "${text}")
string(REPLACE "\n" ";" lines "${text}")
set(out "${title}")
set(in_code FALSE)
set(first TRUE)
foreach(line IN LISTS lines)
  if(first)
    # The README's own title, replaced by the one above.
    set(first FALSE)
    continue()
  endif()
  if(line MATCHES "^```")
    if(in_code)
      set(in_code FALSE)
    else()
      set(in_code TRUE)
    endif()
    continue()
  endif()
  if(in_code)
    string(APPEND out "${newline}    ${line}")
    continue()
  endif()
  string(REPLACE "`" "" line "${line}")
  if(line MATCHES "^(##+) (.*)$")
    set(heading "${CMAKE_MATCH_2}")
    string(LENGTH "${heading}" length)
    if(CMAKE_MATCH_1 STREQUAL "##")
      string(REPEAT "-" ${length} underline)
    else()
      string(REPEAT "." ${length} underline)
    endif()
    string(APPEND out "${newline}${heading}${newline}${underline}")
  else()
    string(APPEND out "${newline}${line}")
  endif()
endforeach()
string(REPLACE "<semicolon>" ";" out "${out}")
string(REPLACE "<backslash>" "\\" out "${out}")
string(REPLACE "<open>" "[" out "${out}")
string(REPLACE "<close>" "]" out "${out}")
# No run of blank lines where a marker or an image was, and one line end at the end.
string(REGEX REPLACE "(${newline})(${newline})(${newline})+" "\\1\\2" out "${out}")
string(REGEX REPLACE "(${newline})+$" "" out "${out}")

file(WRITE "${VANTOR_README_TEXT}.partial" "${out}${newline}")
file(RENAME "${VANTOR_README_TEXT}.partial" "${VANTOR_README_TEXT}")
