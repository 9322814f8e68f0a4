# SHA256SUMS (sha256sum's format) for everything of one version a user downloads from a
# package folder: the archives, the Windows setup program and the Debian package, so
# builds that share the folder each rewrite it whole. Used in script mode (-P) by every
# step that puts a download there.
function(vantor_write_checksums package_dir version)
  file(GLOB downloads RELATIVE "${package_dir}"
       "${package_dir}/Vantor-Pro-${version}-*.zip"
       "${package_dir}/Vantor-Pro-${version}-*.tar.gz"
       "${package_dir}/Vantor-Pro-${version}-*-setup.exe"
       "${package_dir}/vantor-pro_${version}_*.deb")
  list(SORT downloads)
  set(sums "")
  foreach(download IN LISTS downloads)
    file(SHA256 "${package_dir}/${download}" hash)
    string(APPEND sums "${hash}  ${download}\n")
  endforeach()
  file(WRITE "${package_dir}/SHA256SUMS" "${sums}")
endfunction()
