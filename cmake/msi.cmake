# The Windows Installer package of this build's roots-drill.exe, built with every build of the
# program where Debian's wixl and msibuild (msitools) are found, by tools/make-msi.sh:
#
#   <build>/roots-drill-<version>-<x64|x86>.msi
#
# `make msi` gathers the packages of both architectures in build-msi/ (the msi install component).
find_program(ROOTS_DRILL_WIXL wixl)
find_program(ROOTS_DRILL_MSIBUILD msibuild)
if(NOT ROOTS_DRILL_WIXL OR NOT ROOTS_DRILL_MSIBUILD)
  message(STATUS "No wixl or msibuild (Debian packages wixl and msitools): no installer package")
  return()
endif()

set(ROOTS_DRILL_MSI
    ${PROJECT_BINARY_DIR}/roots-drill-${PROJECT_VERSION}-${ROOTS_DRILL_WINDOWS_ARCH}.msi)
add_custom_command(OUTPUT ${ROOTS_DRILL_MSI}
  COMMAND ${PROJECT_SOURCE_DIR}/tools/make-msi.sh --arch ${ROOTS_DRILL_WINDOWS_ARCH}
    --version ${PROJECT_VERSION} --program $<TARGET_FILE:roots-drill> --output ${ROOTS_DRILL_MSI}
  DEPENDS roots-drill ${PROJECT_SOURCE_DIR}/tools/make-msi.sh
    ${PROJECT_SOURCE_DIR}/data/windows/roots-drill.wxs
    ${PROJECT_SOURCE_DIR}/data/io.github.rootsdrill.RootsDrill.desktop
    ${PROJECT_SOURCE_DIR}/data/roots-drill.ico
  COMMENT "Building the installer package ${ROOTS_DRILL_MSI}"
  VERBATIM)
add_custom_target(msi ALL DEPENDS ${ROOTS_DRILL_MSI})
install(FILES ${ROOTS_DRILL_MSI} DESTINATION . COMPONENT msi EXCLUDE_FROM_ALL)
