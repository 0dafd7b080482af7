# Installation and the Debian package.
#
# The programs run from one program folder that holds the executables and
# everything of data/ (KELD4WIN.INI, the report template, Files/, Pages/,
# Pictures/). It is installed as <prefix>/lib/keld; <prefix>/bin holds
# relative symbolic links to the executables, which find their folder through
# their real path. The desktop entry, icons and AppStream metainfo go to
# <prefix>/share with the desktop program; the manual pages to
# <prefix>/share/man; the copyright file and the changelog to
# <prefix>/share/doc/keld.

include(GNUInstallDirs)

# Every folder the installation makes is rwxr-xr-x, whatever the umask of the
# one who installs.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# Installing (and so cpack) does not build the whole tree first: the package
# needs only the target keld_install_files, not the tests and benchmarks.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

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

# The documents, made at build time from the repository's own files by
# packaging/package_docs.sh, so that nothing is written twice: the Debian
# changelog from CHANGELOG.md, the copyright file from LICENSE, the metainfo
# with the releases of CHANGELOG.md (the newest must be the project's
# version). The manual pages and the changelog are compressed with gzip -n:
# no name or time stamp, so the package builds the same each time.
set(KELD_MAINTAINER "KELD developers <keld@example.invalid>")
find_program(KELD_BASH bash REQUIRED)
find_program(KELD_GZIP gzip REQUIRED)
set(_keld_docs ${CMAKE_CURRENT_BINARY_DIR}/package-docs)
file(MAKE_DIRECTORY ${_keld_docs})
set(_keld_docs_script ${PROJECT_SOURCE_DIR}/packaging/package_docs.sh)
set(_keld_changelog ${PROJECT_SOURCE_DIR}/CHANGELOG.md)
set(_keld_metainfo_template ${PROJECT_SOURCE_DIR}/packaging/io.github.keld.metainfo.xml.in)
# keld_document(OUTPUT SHELL_COMMAND DEPENDS...): bash runs SHELL_COMMAND
# with $1, $2, ... the files it depends on, in their order, and its standard
# output becomes OUTPUT once it has succeeded.
function(keld_document output command)
  add_custom_command(OUTPUT ${output}
    COMMAND ${KELD_BASH} -c "set -euo pipefail; ${command} > \"$0.new\"; mv \"$0.new\" \"$0\""
            ${output} ${ARGN}
    DEPENDS ${ARGN}
    VERBATIM)
endfunction()

set(_keld_man_pages keld-size)
if(TARGET keld)
  list(APPEND _keld_man_pages keld)
endif()
set(_keld_documents)
foreach(_page IN LISTS _keld_man_pages)
  keld_document(${_keld_docs}/${_page}.1.gz "${KELD_GZIP} -n -9 -c \"$1\""
                ${PROJECT_SOURCE_DIR}/packaging/${_page}.1)
  install(FILES ${_keld_docs}/${_page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  list(APPEND _keld_documents ${_keld_docs}/${_page}.1.gz)
endforeach()
keld_document(${_keld_docs}/changelog.gz
  "${KELD_BASH} \"$1\" changelog \"$2\" ${PROJECT_VERSION} '${KELD_MAINTAINER}' | ${KELD_GZIP} -n -9"
  ${_keld_docs_script} ${_keld_changelog})
keld_document(${_keld_docs}/copyright "${KELD_BASH} \"$1\" copyright \"$2\" \"$3\""
  ${_keld_docs_script} ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/packaging/copyright.in)
keld_document(${_keld_docs}/io.github.keld.metainfo.xml
  "${KELD_BASH} \"$1\" metainfo \"$2\" ${PROJECT_VERSION} \"$3\""
  ${_keld_docs_script} ${_keld_changelog} ${_keld_metainfo_template})
list(APPEND _keld_documents ${_keld_docs}/changelog.gz ${_keld_docs}/copyright
     ${_keld_docs}/io.github.keld.metainfo.xml)
add_custom_target(keld_docs ALL DEPENDS ${_keld_documents})
install(FILES ${_keld_docs}/copyright ${_keld_docs}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/keld)

# Everything the installation takes from the build; cmake --build --target
# keld_install_files builds no more than the package needs.
add_custom_target(keld_install_files)
add_dependencies(keld_install_files ${_keld_programs} keld_docs)

# The desktop entry, icons and metainfo describe the desktop program, so they
# come with it only: without it they would be a menu entry that cannot start.
if(TARGET keld)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/keld.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${_keld_docs}/io.github.keld.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/icons/keld.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(_size 16 32 48 64 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/icons/${_size}x${_size}/keld.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps)
  endforeach()
endif()

# The Debian package: cpack in the build folder. Two builds of one commit
# give the same package byte for byte: every time in it is the time of the
# last commit (cmake/cpack_project.cmake sets SOURCE_DATE_EPOCH), dpkg-deb
# packs the archive again with fixed modes, sorted entries owned by root
# (cmake/cpack_dpkg_deb.cmake: CPack's own takes modes from the umask), and
# the binaries hold no build path.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME keld)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "KELD developers")
set(CPACK_PACKAGE_CONTACT "${KELD_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "planning-stage estimate of air-cooled heat exchangers")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/cpack_project.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/cpack_dpkg_deb.cmake)
set(CPACK_KELD_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KELD_MAINTAINER}")
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
