# `cpack -G DEB` in a configured and built folder makes gonioma_<version>_<arch>.deb:
# the install tree under /usr, with LangSetting.ini kept in /etc/gonioma (below).
set(GONIOMA_PACKAGE_MAINTAINER "Gonioma developers" CACHE STRING
    "Maintainer field of the Debian package, as \"Name <address>\"")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME gonioma)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "exercises on angles for pupils of 8 to 12")
set(CPACK_PACKAGE_DESCRIPTION "Eight interactive exercises on angles for primary and lower secondary
school. The program draws each angle as a fan that opens degree by degree
and asks the pupil to classify, compare, find, build or complete it; every
answer is judged at once with a picture and a sound. Italian, English,
Spanish and French are included.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${GONIOMA_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the program links (Qt 6 and below) come from dpkg-shlibdeps;
# the splash's title face and the desktop face the windows were laid out with
# are named here, with the Qt translations of the message boxes' buttons.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-comic-neue, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")

# The settings file is the system's configuration: dpkg keeps it, with the
# owner, group and permissions the administrator gave it, across upgrades
# and re-installs. The program's folder holds a link to it.
set(CPACK_GONIOMA_PROGRAM_DIR ${GONIOMA_PROGRAM_DIR})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/DebSettings.cmake)
file(WRITE ${CMAKE_BINARY_DIR}/deb/conffiles "/etc/gonioma/LangSetting.ini\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/deb/conffiles)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
