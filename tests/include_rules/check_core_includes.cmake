# Checks that no folder of the core includes a core folder it may not.
#
# Every folder under CORE_DIR declares, in one line of its CMakeLists.txt,
#   # may include: text platform
# the other core folders its files may include ("# may include:" alone when
# none). This script reads the quoted #include lines of every file in every
# folder and fails, naming file, line and folder, on an include of a core
# folder the declaration does not list, and on a folder without a
# declaration. Run as: cmake -DCORE_DIR=<src/core> -P check_core_includes.cmake

cmake_minimum_required(VERSION 3.25)

if(NOT CORE_DIR OR NOT IS_DIRECTORY "${CORE_DIR}")
  message(FATAL_ERROR "CORE_DIR must name the core source folder")
endif()

file(GLOB entries RELATIVE "${CORE_DIR}" "${CORE_DIR}/*")
set(folders "")
foreach(entry IN LISTS entries)
  if(IS_DIRECTORY "${CORE_DIR}/${entry}")
    list(APPEND folders "${entry}")
  endif()
endforeach()

set(faults "")
foreach(folder IN LISTS folders)
  set(rules_file "${CORE_DIR}/${folder}/CMakeLists.txt")
  if(NOT EXISTS "${rules_file}")
    list(APPEND faults "${folder}/: no CMakeLists.txt declaring what the folder may include")
    continue()
  endif()
  file(STRINGS "${rules_file}" rule_lines REGEX "^# may include:")
  list(LENGTH rule_lines rule_count)
  if(NOT rule_count EQUAL 1)
    list(APPEND faults "${folder}/CMakeLists.txt: needs exactly one '# may include:' line, has ${rule_count}")
    continue()
  endif()
  string(REGEX REPLACE "^# may include:[ \t]*" "" allowed "${rule_lines}")
  string(REGEX REPLACE "[ \t]+" ";" allowed "${allowed}")
  foreach(name IN LISTS allowed)
    if(NOT name IN_LIST folders)
      list(APPEND faults "${folder}/CMakeLists.txt: may include unknown folder '${name}'")
    endif()
  endforeach()

  file(GLOB_RECURSE sources "${CORE_DIR}/${folder}/*.h" "${CORE_DIR}/${folder}/*.cpp")
  foreach(source IN LISTS sources)
    file(STRINGS "${source}" lines)
    set(line_number 0)
    foreach(line IN LISTS lines)
      math(EXPR line_number "${line_number} + 1")
      if(line MATCHES "^[ \t]*#[ \t]*include[ \t]*\"([A-Za-z0-9_]+)/")
        set(target "${CMAKE_MATCH_1}")
        if(target IN_LIST folders AND NOT target STREQUAL folder AND NOT target IN_LIST allowed)
          file(RELATIVE_PATH shown "${CORE_DIR}" "${source}")
          list(APPEND faults "${shown}:${line_number}: includes ${target}/, which ${folder}/ may not include")
        endif()
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n" report)
  message(FATAL_ERROR "core include rules broken:\n${report}")
endif()
list(LENGTH folders folder_count)
message(STATUS "core include rules hold in ${folder_count} folders")
