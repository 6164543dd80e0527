# Fails when a file of the platform core (the *.h and *.cpp of src/platform and of its core
# folders, CORE_FOLDERS: a list of folder names below it, "." the folder itself) includes anything but the
# core's own headers and the C++ standard library's: no SDL, X11, fontconfig, iconv, dlfcn, POSIX
# or Windows header, nor a backend's. Each file is preprocessed on its own with nothing but src/
# on the include path, and every header it or a core header includes is checked.
#   cmake -DCXX=c++ -DSOURCE_DIR=.../src "-DCORE_FOLDERS=.;toolkit" -P core_includes.cmake
if(NOT CORE_FOLDERS)
  message(FATAL_ERROR "CORE_FOLDERS names no folder of the core")
endif()
set(core "")
set(folders "")
foreach(folder ${CORE_FOLDERS})
  file(GLOB files ${SOURCE_DIR}/platform/${folder}/*.h ${SOURCE_DIR}/platform/${folder}/*.cpp)
  list(APPEND core ${files})
  if(NOT folder STREQUAL ".")
    list(APPEND folders "${folder}/")
  endif()
endforeach()
list(JOIN folders "|" folders)
set(core_pattern "^${SOURCE_DIR}/platform/(${folders})?[^/]+$")
set(failures "")
foreach(file ${core})
  execute_process(COMMAND ${CXX} -std=c++20 -I${SOURCE_DIR} -E -H -o /dev/null -x c++ ${file}
                  RESULT_VARIABLE status ERROR_VARIABLE report)
  if(NOT status EQUAL 0)
    string(APPEND failures "${file} does not build on the core's include path alone:\n${report}\n")
    continue()
  endif()
  # -H names each header with one dot per level of nesting; its includer is the nearest line
  # above it one level up.
  string(REPLACE "\n" ";" lines "${report}")
  set(parents "${file}")
  foreach(line ${lines})
    if(NOT line MATCHES "^(\\.+) (.+)$")
      continue()
    endif()
    string(LENGTH "${CMAKE_MATCH_1}" depth)
    set(header "${CMAKE_MATCH_2}")
    file(TO_CMAKE_PATH "${header}" header)
    math(EXPR up "${depth} - 1")
    list(SUBLIST parents 0 ${depth} parents)
    list(GET parents ${up} includer)
    list(APPEND parents "${header}")
    if(includer MATCHES "${core_pattern}" AND NOT header MATCHES "${core_pattern}"
       AND NOT header MATCHES "/c\\+\\+/")
      string(APPEND failures "${includer} includes ${header}\n")
    endif()
  endforeach()
endforeach()
# -H lists a guarded header only where it is first opened, so one that a standard header has
# already brought in (<unistd.h> after <thread>) is missed above: each header a core file names
# in angle brackets is also looked up on its own.
set(standard "")
foreach(file ${core})
  file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*<")
  foreach(line ${includes})
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*<([^>]+)>.*" "\\1" name "${line}")
    list(FIND standard "${name}" seen)
    if(seen GREATER -1)
      continue()
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E echo "#include <${name}>"
                    COMMAND ${CXX} -std=c++20 -E -H -o /dev/null -x c++ -
                    RESULT_VARIABLE status ERROR_VARIABLE report)
    if(status EQUAL 0 AND report MATCHES "^\\. ([^\n]+)" AND CMAKE_MATCH_1 MATCHES "/c\\+\\+/")
      list(APPEND standard ${name})
    else()
      string(APPEND failures "${file} includes <${name}>\n")
    endif()
  endforeach()
endforeach()
if(failures)
  message(FATAL_ERROR "the platform core reaches past itself:\n${failures}")
endif()
list(LENGTH core count)
message(STATUS "${count} core files include only the core's and the standard library's headers")
