# Run by cpack once the packages are built: the debug symbols package as
# cpack makes it lists its files in md5sums by their absolute paths in
# cpack's work folder, marks the debug files executable and has no
# documentation folder. Unpacked, mended as Debian's own debug packages are
# made, and packed again.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(NOT package MATCHES "-dbgsym_.*\\.ddeb$")
    continue()
  endif()
  set(root ${package}.root)
  file(REMOVE_RECURSE ${root})
  execute_process(COMMAND dpkg-deb -R ${package} ${root} COMMAND_ERROR_IS_FATAL ANY)

  file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${root} ${root}/usr/*)
  set(sums "")
  foreach(f IN LISTS files)
    file(CHMOD ${root}/${f} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    file(MD5 ${root}/${f} sum)
    string(APPEND sums "${sum}  ${f}\n")
  endforeach()
  file(WRITE ${root}/DEBIAN/md5sums "${sums}")

  # Its documentation is the package's whose symbols it holds (it depends
  # on that very version).
  file(MAKE_DIRECTORY ${root}/usr/share/doc)
  file(CREATE_LINK ${CPACK_PACKAGE_NAME} ${root}/usr/share/doc/${CPACK_PACKAGE_NAME}-dbgsym SYMBOLIC)

  execute_process(COMMAND dpkg-deb --root-owner-group -b ${root} ${package}
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE ${root})
endforeach()
