# cmake -DVANTOR_STAGE_FOLDER=<staged "Vantor Pro" folder> -DVANTOR_DEB_ROOT=<work folder>
#       -DVANTOR_RENDERER=<staged vantor-render>
#       -DVANTOR_DEB_SOURCES=<packaging/linux> -DVANTOR_PACKAGE_DIR=... -DVANTOR_VERSION=<x.y.z>
#       -DVANTOR_DPKG_DEB=<dpkg-deb> -DVANTOR_STRIP=<strip> -P MakeDebianPackage.cmake
#
# Lays the staged plug-in folder out the way hosts look for system-wide plug-ins, packs it
# into VANTOR_PACKAGE_DIR/vantor-pro_<version>_amd64.deb and rewrites SHA256SUMS there.
# The tarball's install.sh is left out: dpkg installs and removes the files itself.

set(stage "${VANTOR_STAGE_FOLDER}")
set(root "${VANTOR_DEB_ROOT}")
file(REMOVE_RECURSE "${root}")

# The VST 2.4 and CLAP modules find their skin beside themselves.
file(COPY "${stage}/Vantor Pro.so" "${stage}/Skin" "${stage}/Presets" DESTINATION "${root}/usr/lib/vst/Vantor Pro")
file(COPY "${stage}/Vantor Pro.clap" "${stage}/Skin" DESTINATION "${root}/usr/lib/clap/Vantor Pro")
file(COPY "${stage}/Vantor Pro.vst3" DESTINATION "${root}/usr/lib/vst3")
file(COPY "${stage}/vantor-pro.lv2" DESTINATION "${root}/usr/lib/lv2")
# The renderer on every user's PATH, with its manual page.
file(COPY "${VANTOR_RENDERER}" DESTINATION "${root}/usr/bin")
file(MAKE_DIRECTORY "${root}/usr/share/man/man1")
file(COPY_FILE "${VANTOR_DEB_SOURCES}/vantor-render.1" "${root}/usr/share/man/man1/vantor-render.1")
execute_process(COMMAND gzip -9n "${root}/usr/share/man/man1/vantor-render.1" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Compressing the manual page failed (${result})")
endif()
# Where VST3 hosts look for factory presets every user shares.
file(GLOB vst3_presets "${stage}/Vantor Pro.vst3/Contents/Resources/Presets/*.vstpreset")
file(COPY ${vst3_presets} DESTINATION "${root}/usr/share/vst3/presets/Brackwel/Vantor Pro")

set(doc "${root}/usr/share/doc/vantor-pro")
file(COPY "${stage}/licences" "${VANTOR_DEB_SOURCES}/copyright" "${VANTOR_DEB_SOURCES}/README.Debian"
     DESTINATION "${doc}")
file(COPY_FILE "${stage}/README.txt" "${doc}/README")
string(TIMESTAMP VANTOR_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file("${VANTOR_DEB_SOURCES}/changelog.in" "${doc}/changelog" @ONLY)
execute_process(COMMAND gzip -9n "${doc}/changelog" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Compressing the changelog failed (${result})")
endif()
file(MAKE_DIRECTORY "${root}/usr/share/lintian/overrides")
file(COPY_FILE "${VANTOR_DEB_SOURCES}/lintian-overrides" "${root}/usr/share/lintian/overrides/vantor-pro")

# Debian's own packaging tools strip what they ship; the debug information stays in the build.
file(GLOB_RECURSE modules "${root}/usr/lib/*.so" "${root}/usr/lib/*.clap" "${root}/usr/bin/*")
foreach(module IN LISTS modules)
  execute_process(COMMAND "${VANTOR_STRIP}" --strip-unneeded --remove-section=.comment --remove-section=.note
                          "${module}" RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "Stripping ${module} failed (${result})")
  endif()
endforeach()
# Modules are loaded, not run: only the renderer needs its execute bit.
file(CHMOD_RECURSE "${root}" FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
     DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
file(CHMOD "${root}/usr/bin/vantor-render" FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
     GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

file(GLOB_RECURSE files RELATIVE "${root}" "${root}/*")
list(SORT files)
set(VANTOR_INSTALLED_SIZE 0)
set(md5sums "")
foreach(file IN LISTS files)
  file(SIZE "${root}/${file}" size)
  math(EXPR VANTOR_INSTALLED_SIZE "${VANTOR_INSTALLED_SIZE} + (${size} + 1023) / 1024")
  file(MD5 "${root}/${file}" hash)
  string(APPEND md5sums "${hash}  ${file}\n")
endforeach()
file(WRITE "${root}/DEBIAN/md5sums" "${md5sums}")
configure_file("${VANTOR_DEB_SOURCES}/control.in" "${root}/DEBIAN/control" @ONLY)

set(deb "${VANTOR_PACKAGE_DIR}/vantor-pro_${VANTOR_VERSION}_amd64.deb")
file(MAKE_DIRECTORY "${VANTOR_PACKAGE_DIR}")
file(REMOVE "${deb}")
execute_process(COMMAND "${VANTOR_DPKG_DEB}" --root-owner-group --build "${root}" "${deb}"
                OUTPUT_QUIET RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "dpkg-deb failed to build ${deb} (${result})")
endif()

include(${CMAKE_CURRENT_LIST_DIR}/WriteChecksums.cmake)
vantor_write_checksums("${VANTOR_PACKAGE_DIR}" "${VANTOR_VERSION}")
