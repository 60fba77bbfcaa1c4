# Run by CPack on the staged tree before it builds the Debian package: the
# settings file moves to /etc/gonioma, and the program's folder links to it.
set(staged "${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
set(in_program "${staged}${CPACK_PACKAGING_INSTALL_PREFIX}/${CPACK_GONIOMA_PROGRAM_DIR}/LangSetting.ini")
if(NOT EXISTS "${in_program}" OR IS_SYMLINK "${in_program}")
  message(FATAL_ERROR "No settings file staged at ${in_program}")
endif()
file(MAKE_DIRECTORY "${staged}/etc/gonioma")
file(RENAME "${in_program}" "${staged}/etc/gonioma/LangSetting.ini")
file(CREATE_LINK /etc/gonioma/LangSetting.ini "${in_program}" SYMBOLIC)
