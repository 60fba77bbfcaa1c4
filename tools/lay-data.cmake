# Copies the language files beside the program, and the settings file only when
# it does not exist yet.
file(GLOB lng "${SRC}/*.lng")
foreach(f IN LISTS lng)
  get_filename_component(name "${f}" NAME)
  configure_file("${f}" "${DST}/${name}" COPYONLY)
endforeach()
if(NOT EXISTS "${DST}/LangSetting.ini")
  configure_file("${SRC}/LangSetting.ini" "${DST}/LangSetting.ini" COPYONLY)
endif()
