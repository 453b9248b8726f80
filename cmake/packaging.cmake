# The Debian package (`make package`, or cpack in the build directory): what a teacher installs
# with `apt install ./roots-drill_*.deb`. Its contents are the install rules; this file adds the
# Debian documentation and the control fields.

if(NOT (UNIX AND NOT APPLE))
  return()
endif()
include(GNUInstallDirs)

set(ROOTS_DRILL_MAINTAINER "Roots Drill developers <rootsdrill@users.noreply.github.com>"
  CACHE STRING "The Maintainer field of the Debian package")
# The Debian revision: raised when only the packaging changes, back to 1 with a new version.
set(ROOTS_DRILL_DEBIAN_REVISION 1)

# What every Debian package carries in /usr/share/doc/<package>: the copyright in the
# machine-readable format and the Debian changelog, compressed without a timestamp. They belong to
# the package only, not to a plain `cmake --install`: the component is left out of that and named
# in CPACK_INSTALL_CMAKE_PROJECTS below.
set(debian_changelog ${PROJECT_BINARY_DIR}/debian/changelog.Debian)
add_custom_command(OUTPUT ${debian_changelog}.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/data/debian/changelog ${debian_changelog}
  COMMAND gzip -9nf ${debian_changelog}
  DEPENDS ${PROJECT_SOURCE_DIR}/data/debian/changelog VERBATIM)
add_custom_target(debian-changelog ALL DEPENDS ${debian_changelog}.gz)
install(FILES ${PROJECT_SOURCE_DIR}/data/debian/copyright ${debian_changelog}.gz
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${PROJECT_NAME}
  COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES ${PROJECT_SOURCE_DIR}/data/debian/lintian-overrides
  DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME ${PROJECT_NAME}
  COMPONENT debian EXCLUDE_FROM_ALL)

# Lazy binding off, so that the whole GOT can be read-only after start-up (what Debian's
# hardening=+bindnow gives); it costs the start-up nothing measurable.
target_link_options(roots-drill PRIVATE LINKER:-z,now)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VENDOR "Roots Drill developers")
set(CPACK_PACKAGE_CONTACT "${ROOTS_DRILL_MAINTAINER}")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://github.com/rootsdrill/roots-drill")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "drill in solving reduced quadratic equations mentally")
set(CPACK_PACKAGE_DESCRIPTION "\
A one-window drill for school pupils. The program shows a reduced quadratic
equation x² + p·x + q = 0 with two whole roots; the pupil finds the roots in
their head and types them, in either order.

It counts the tasks solved, those solved at the first attempt and the wrong
attempts, scores every task from 0 to 5, shows a running average and a grade,
and times the task and the whole run. All text on screen is Russian. Nothing is
saved and nothing is sent over a network.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Stripped as Debian strips: cmake/strip-package.cmake, on the files cpack is about to pack.
set(CPACK_ROOTS_DRILL_STRIP "${CMAKE_STRIP}")
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/strip-package.cmake)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# Everything a plain install gets, and the Debian documentation.
set(CPACK_INSTALL_CMAKE_PROJECTS
  "${PROJECT_BINARY_DIR};${PROJECT_NAME};ALL;/"
  "${PROJECT_BINARY_DIR};${PROJECT_NAME};debian;/")

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ROOTS_DRILL_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_RELEASE ${ROOTS_DRILL_DEBIAN_REVISION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from dpkg-shlibdeps; the fonts the window is drawn in are looked up by name at
# run time (window/design_fonts.cpp), so they are named here: Liberation for Arial, Courier New and
# MS Sans Serif, Roboto for Arial Black.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2 | fonts-liberation, fonts-roboto-unhinted")
# A native window under Wayland, and Qt's own strings (the context menu of the answer boxes) in
# Russian.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")

include(CPack)
