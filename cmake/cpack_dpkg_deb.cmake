# Run by cpack once it has made the package (CPACK_POST_BUILD_SCRIPTS): the
# package is packed again by dpkg-deb, as Debian's own tools pack one. CPack's
# archive takes the modes of its three members from the umask of the one who
# builds; dpkg-deb writes them rw-r--r--, stamps them with SOURCE_DATE_EPOCH
# (which cmake/cpack_project.cmake set), owns every entry by root and sorts
# the entries by name. Before that the unpacked tree gets fixed modes
# (folders and executables rwxr-xr-x, other files rw-r--r--) and the
# epoch's time on every entry, whatever the umask and the clock.
foreach(_keld_deb IN LISTS CPACK_PACKAGE_FILES)
  set(_keld_tree "${_keld_deb}.tree")
  file(REMOVE_RECURSE "${_keld_tree}")
  execute_process(COMMAND dpkg-deb --raw-extract "${_keld_deb}" "${_keld_tree}"
                  COMMAND_ERROR_IS_FATAL ANY)
  foreach(_keld_step IN ITEMS "-type;d;-exec;chmod;0755"
                                "-type;f;-perm;-u+x;-exec;chmod;0755"
                                "-type;f;!;-perm;-u+x;-exec;chmod;0644"
                                "-exec;touch;-h;-d;@$ENV{SOURCE_DATE_EPOCH}")
    execute_process(COMMAND find "${_keld_tree}" ${_keld_step} {} +
                    COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
  execute_process(COMMAND dpkg-deb --root-owner-group -Zgzip --build "${_keld_tree}"
                          "${_keld_deb}"
                  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE "${_keld_tree}")
endforeach()
