# `cpack -G DEB` in a configured and built folder makes gonioma_<version>_<arch>.deb:
# the install tree under /usr, with LangSetting.ini kept in /etc/gonioma (below).
# The placeholder names a contact the package checker accepts (a domain
# reserved for that: mail to it goes nowhere); a school's packager gives its own.
set(GONIOMA_PACKAGE_MAINTAINER "Gonioma maintainers <maintainers@gonioma.invalid>" CACHE STRING
    "Maintainer field of the Debian package, as \"Name <address>\"")
# A build folder configured before keeps the earlier placeholder, which names
# no address at all.
if(GONIOMA_PACKAGE_MAINTAINER STREQUAL "Gonioma developers")
  set_property(CACHE GONIOMA_PACKAGE_MAINTAINER PROPERTY VALUE "Gonioma maintainers <maintainers@gonioma.invalid>")
endif()

# The documents every Debian package carries, in share/doc/gonioma: the
# copyright in the machine-readable format and the changelog, compressed
# without a name or a time in its header.
set(doc_dir ${CMAKE_BINARY_DIR}/doc)
configure_file(doc/copyright ${doc_dir}/copyright @ONLY)
configure_file(doc/changelog ${doc_dir}/changelog @ONLY)
add_custom_command(OUTPUT ${doc_dir}/changelog.gz
  COMMAND ${GZIP_PROGRAM} -9nf -k ${doc_dir}/changelog
  DEPENDS ${doc_dir}/changelog
  COMMENT "Compressing the changelog")
add_custom_target(gonioma_changelog ALL DEPENDS ${doc_dir}/changelog.gz)
install(FILES ${doc_dir}/copyright ${doc_dir}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME gonioma)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "exercises on angles for pupils of 8 to 12")
set(CPACK_PACKAGE_DESCRIPTION "Ten interactive exercises on angles for primary and lower secondary
school. The program draws each angle as a fan that opens degree by degree
and asks the pupil to classify, compare, find, build or complete it; every
answer is judged at once with a picture and a sound. Twelve languages are
included, Arabic written right to left among them.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${GONIOMA_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the program links (Qt 6 and below) come from dpkg-shlibdeps;
# the splash's title face and the desktop face the windows were laid out with
# are named here, with the Qt translations of the message boxes' buttons and
# Qt's PostgreSQL driver, which a school server needs (a plugin, which
# dpkg-shlibdeps cannot see).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-comic-neue, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, libqt6sql6-psql")

# The settings file is the system's configuration: dpkg keeps it, with the
# owner, group and permissions the administrator gave it, across upgrades
# and re-installs. The program's folder holds a link to it.
set(CPACK_GONIOMA_PROGRAM_DIR ${GONIOMA_PROGRAM_DIR})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/DebSettings.cmake)
file(WRITE ${CMAKE_BINARY_DIR}/deb/conffiles "/etc/gonioma/LangSetting.ini\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/deb/conffiles)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The program's libraries are its own, in its own folder: the package needs no
# shared-library policy, so no ldconfig call in its maintainer scripts.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)

include(CPack)
