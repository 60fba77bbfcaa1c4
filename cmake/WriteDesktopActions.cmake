# Writes the desktop entry with one action per exercise, in menu order, as the
# built program lists them: a new exercise gets its action with no edit here.
# Each action is named with the exercise's menu caption in English and, where
# the language file is there, in the languages the entry speaks.
#   cmake -DPROGRAM=path/to/gonioma -DENTRY=entry.desktop -DOUT=out.desktop -P WriteDesktopActions.cmake
foreach(var PROGRAM ENTRY OUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "WriteDesktopActions.cmake needs -D${var}=...")
  endif()
endforeach()

# list_exercises(<language file name> <out var>): the program's lines
# "name<tab>caption" in that language, as a CMake list.
function(list_exercises language out)
  # The listing makes no window; a sanitizer build's leak report is for the
  # tests, not for the build.
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
            ${PROGRAM} --list-exercises --language ${language}
    OUTPUT_VARIABLE listing RESULT_VARIABLE status ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} --list-exercises --language ${language} failed (${status}): ${errors}")
  endif()
  string(REPLACE ";" "\\;" listing "${listing}")
  string(REGEX REPLACE "\n$" "" listing "${listing}")
  string(REPLACE "\n" ";" listing "${listing}")
  set(${out} "${listing}" PARENT_SCOPE)
endfunction()

# A caption as a desktop entry's name: first letter capitalised, escapes as
# the format wants them.
function(action_name caption out)
  string(REPLACE "\\" "\\\\" caption "${caption}")
  string(SUBSTRING "${caption}" 0 1 first)
  string(SUBSTRING "${caption}" 1 -1 rest)
  string(TOUPPER "${first}" first)
  set(${out} "${first}${rest}" PARENT_SCOPE)
endfunction()

get_filename_component(program_dir ${PROGRAM} DIRECTORY)
list_exercises(English default_listing)
set(names)
foreach(line IN LISTS default_listing)
  string(REGEX MATCH "^([^\t]+)\t(.*)$" matched "${line}")
  if(NOT matched)
    message(FATAL_ERROR "Not a line of the exercise list: '${line}'")
  endif()
  list(APPEND names ${CMAKE_MATCH_1})
  action_name("${CMAKE_MATCH_2}" name)
  set(action_${CMAKE_MATCH_1} "Name=${name}\n")
endforeach()

# The entry's other languages, by their desktop locale.
set(locales it es fr de ca nl pl pt ro tr ar)
set(files Italiano Español Français Deutsch Català Nederlands Polski Português Română Türkçe العربية)
foreach(locale file IN ZIP_LISTS locales files)
  if(NOT EXISTS "${program_dir}/${file}.lng")
    continue()
  endif()
  list_exercises(${file} listing)
  foreach(line IN LISTS listing)
    string(REGEX MATCH "^([^\t]+)\t(.*)$" matched "${line}")
    if(matched AND DEFINED action_${CMAKE_MATCH_1})
      action_name("${CMAKE_MATCH_2}" name)
      string(APPEND action_${CMAKE_MATCH_1} "Name[${locale}]=${name}\n")
    endif()
  endforeach()
endforeach()

file(READ ${ENTRY} entry)
list(JOIN names ";" actions)
string(APPEND entry "Actions=${actions};\n")
foreach(exercise IN LISTS names)
  string(APPEND entry "\n[Desktop Action ${exercise}]\n${action_${exercise}}Exec=gonioma --exercise ${exercise} --no-splash\n")
endforeach()
file(WRITE ${OUT}.new "${entry}")
file(RENAME ${OUT}.new ${OUT})
