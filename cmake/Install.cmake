# What `cmake --install` lays out under the prefix (default /usr/local):
#   lib/gonioma/     the program with its sound helper, language files, sounds and
#                    LangSetting.ini (it finds them beside itself)
#   bin/gonioma      a launcher that starts it from there, wherever the tree lies
#   share/applications, share/icons/hicolor, share/metainfo
#                    the desktop entry, the icon and the software-centre entry
#   share/man/man1/gonioma.1.gz  the manual page, compressed as Debian wants it
#   share/gonioma/server-setup.sql  the school server's tables and roles
# Included by the main list, which names language_files and sound_files.
include(GNUInstallDirs)

# The name the desktop and software centres know the program by, in the
# reverse-domain form they require. It names no address: nothing is fetched
# from it.
set(GONIOMA_APP_ID local.gonioma.Gonioma)
set(GONIOMA_RELEASE_DATE 2026-12-08)
set(GONIOMA_PROGRAM_DIR lib/gonioma)

set(GONIOMA_SETTINGS_GROUP "" CACHE STRING
    "Group whose members may change the language for good: the installed LangSetting.ini goes to this group, group-writable (empty: the file keeps its permissions)")
set(GONIOMA_SCREENSHOT_URL "" CACHE STRING
    "Web address of a published screenshot that the software-centre entry shows (empty: none)")

# ---- the icon at the sizes of the icon theme --------------------------------
find_package(Qt6 REQUIRED COMPONENTS Svg)
add_executable(icongen tools/icongen.cpp)
target_link_libraries(icongen PRIVATE Qt6::Svg)
set(GONIOMA_ICON_SIZES 16 22 24 32 48 64 128 256)
set(icon_pngs)
foreach(n IN LISTS GONIOMA_ICON_SIZES)
  list(APPEND icon_pngs ${CMAKE_BINARY_DIR}/icons/${n}x${n}/apps/gonioma.png)
endforeach()
add_custom_command(OUTPUT ${icon_pngs}
  COMMAND icongen ${CMAKE_SOURCE_DIR}/data/gonioma.svg ${CMAKE_BINARY_DIR}/icons gonioma ${GONIOMA_ICON_SIZES}
  DEPENDS icongen ${CMAKE_SOURCE_DIR}/data/gonioma.svg
  COMMENT "Rendering the icon at the icon theme's sizes")
add_custom_target(gonioma_icons ALL DEPENDS ${icon_pngs})

# ---- launcher, desktop entry, software-centre entry -------------------------
set(desktop_dir ${CMAKE_BINARY_DIR}/desktop)
file(RELATIVE_PATH GONIOMA_LAUNCHER_TO_PROGRAM /${CMAKE_INSTALL_BINDIR} /${GONIOMA_PROGRAM_DIR})
configure_file(data/gonioma-launcher.in ${desktop_dir}/gonioma @ONLY)
configure_file(data/gonioma.desktop.in ${desktop_dir}/entry.desktop @ONLY)
# The entry's actions, one per exercise, come from the built program's list.
file(GLOB desktop_languages CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/*.lng)
add_custom_command(OUTPUT ${desktop_dir}/${GONIOMA_APP_ID}.desktop
  COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:gonioma> -DENTRY=${desktop_dir}/entry.desktop
          -DOUT=${desktop_dir}/${GONIOMA_APP_ID}.desktop -P ${CMAKE_SOURCE_DIR}/cmake/WriteDesktopActions.cmake
  DEPENDS gonioma gonioma_data ${desktop_dir}/entry.desktop ${desktop_languages}
          ${CMAKE_SOURCE_DIR}/cmake/WriteDesktopActions.cmake
  COMMENT "Writing the desktop entry with an action per exercise")
add_custom_target(gonioma_desktop_entry ALL DEPENDS ${desktop_dir}/${GONIOMA_APP_ID}.desktop)
set(METAINFO_TEMPLATE ${CMAKE_SOURCE_DIR}/data/gonioma.metainfo.xml.in)
set(METAINFO_OUT ${desktop_dir}/${GONIOMA_APP_ID}.metainfo.xml)
set(SCREENSHOT_URL ${GONIOMA_SCREENSHOT_URL})
include(cmake/WriteMetainfo.cmake)
configure_file(cmake/InstallSettings.cmake.in ${desktop_dir}/install-settings.cmake @ONLY)

# ---- the manual page ---------------------------------------------------------
# Compressed without a name or a time in its header, so the same page always
# gives the same bytes.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(GONIOMA_MANUAL ${CMAKE_BINARY_DIR}/man/gonioma.1)
configure_file(doc/gonioma.1 ${GONIOMA_MANUAL} @ONLY)
add_custom_command(OUTPUT ${GONIOMA_MANUAL}.gz
  COMMAND ${GZIP_PROGRAM} -9nf -k ${GONIOMA_MANUAL}
  DEPENDS ${GONIOMA_MANUAL}
  COMMENT "Compressing the manual page")
add_custom_target(gonioma_manual ALL DEPENDS ${GONIOMA_MANUAL}.gz)

# ---- the rules -----------------------------------------------------------
install(TARGETS gonioma gonioma_sound_helper DESTINATION ${GONIOMA_PROGRAM_DIR})
install(FILES ${language_files} DESTINATION ${GONIOMA_PROGRAM_DIR})
install(FILES ${sound_files} DESTINATION ${GONIOMA_PROGRAM_DIR}/suoni)
install(SCRIPT ${desktop_dir}/install-settings.cmake)
install(PROGRAMS ${desktop_dir}/gonioma DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${desktop_dir}/${GONIOMA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${METAINFO_OUT} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${GONIOMA_MANUAL}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES share/gonioma/server-setup.sql DESTINATION ${CMAKE_INSTALL_DATADIR}/gonioma)
install(FILES data/gonioma.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
