# Installation and the Debian package.
#
# The programs run from one program folder that holds the executables and
# everything of data/ (KELD4WIN.INI, the report template, Files/, Pages/,
# Pictures/). It is installed as <prefix>/lib/keld; <prefix>/bin holds
# relative symbolic links to the executables, which find their folder through
# their real path. The desktop entry, icons and AppStream metainfo go to
# <prefix>/share with the desktop program; the manual page of keld-size to
# <prefix>/share/man.

include(GNUInstallDirs)

# The program folder is private to the programs, so it goes to lib/keld as it
# is, not to CMAKE_INSTALL_LIBDIR: that one is lib/<multiarch> or lib64 on some
# systems, and the folder holds no libraries for others to link.
set(KELD_INSTALL_PROGRAM_DIR "lib/keld" CACHE STRING
    "Program folder (executables and data), relative to the installation prefix")

set(_keld_programs keld-size)
if(TARGET keld)
  list(APPEND _keld_programs keld)
endif()

install(TARGETS ${_keld_programs} RUNTIME DESTINATION ${KELD_INSTALL_PROGRAM_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/ DESTINATION ${KELD_INSTALL_PROGRAM_DIR})

# The links in bin point into the program folder by a relative path, so the
# installation keeps working when it is staged (DESTDIR, the package) or moved.
# They are made here in the build tree and installed as links.
if(IS_ABSOLUTE "${KELD_INSTALL_PROGRAM_DIR}" OR IS_ABSOLUTE "${CMAKE_INSTALL_BINDIR}")
  message(FATAL_ERROR "KELD_INSTALL_PROGRAM_DIR (${KELD_INSTALL_PROGRAM_DIR}) and "
                      "CMAKE_INSTALL_BINDIR (${CMAKE_INSTALL_BINDIR}) must be relative "
                      "to the installation prefix")
endif()
file(RELATIVE_PATH _keld_bin_to_program "/prefix/${CMAKE_INSTALL_BINDIR}"
     "/prefix/${KELD_INSTALL_PROGRAM_DIR}")
set(_keld_link_dir ${CMAKE_CURRENT_BINARY_DIR}/install-links)
file(REMOVE_RECURSE ${_keld_link_dir})
file(MAKE_DIRECTORY ${_keld_link_dir})
foreach(_program IN LISTS _keld_programs)
  file(CREATE_LINK ${_keld_bin_to_program}/${_program} ${_keld_link_dir}/${_program} SYMBOLIC)
  install(FILES ${_keld_link_dir}/${_program} DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()

# The manual page, compressed at build time (-n: no name or time stamp, so the
# package builds the same each time).
set(_keld_man_source ${PROJECT_SOURCE_DIR}/packaging/keld-size.1)
find_program(KELD_GZIP gzip)
if(KELD_GZIP)
  set(_keld_man ${CMAKE_CURRENT_BINARY_DIR}/man/keld-size.1.gz)
  add_custom_command(OUTPUT ${_keld_man}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/man
    COMMAND ${CMAKE_COMMAND} -E copy ${_keld_man_source} ${CMAKE_CURRENT_BINARY_DIR}/man/keld-size.1
    COMMAND ${KELD_GZIP} -n -9 -f ${CMAKE_CURRENT_BINARY_DIR}/man/keld-size.1
    DEPENDS ${_keld_man_source}
    COMMENT "Compressing the manual page of keld-size"
    VERBATIM)
  add_custom_target(keld_manpage ALL DEPENDS ${_keld_man})
else()
  message(STATUS "gzip not found: the manual page of keld-size is installed uncompressed")
  set(_keld_man ${_keld_man_source})
endif()
install(FILES ${_keld_man} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The desktop entry, icons and metainfo describe the desktop program, so they
# come with it only: without it they would be a menu entry that cannot start.
if(TARGET keld)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/keld.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/io.github.keld.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/icons/keld.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(_size 16 32 48 64 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/icons/${_size}x${_size}/keld.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps)
  endforeach()
endif()

# The Debian package: cpack -G DEB in the build folder.
set(CPACK_PACKAGE_NAME keld)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "KELD developers")
set(CPACK_PACKAGE_CONTACT "KELD developers <keld@example.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "planning-stage estimate of air-cooled heat exchangers")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "KELD developers <keld@example.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps (dpkg-dev) finds the Debian packages of the libraries the
# executables link.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The long description; CPack puts the summary above it and indents it.
if(TARGET keld)
  set(_keld_package_holds "the desktop program keld and the command-line tool\nkeld-size, which sizes saved cases (project files) for scripts.")
else()
  set(_keld_package_holds "the command-line tool keld-size, which sizes saved cases\n(project files) for scripts.")
endif()
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"KELD sizes an air-cooled heat exchanger at the planning stage. From the
service, the hot fluid, the heat duty and temperatures, the tube length,
the number of tube rows, the fan draft and the material, it sizes the
finned-tube bundle thermally and estimates its geometry, fan power, weight
and price, with every quantity in English and Metric units.

This package holds ${_keld_package_holds}")
include(CPack)
