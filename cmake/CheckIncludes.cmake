# Fails when a folder includes a header of a folder it may not depend on.
# Run as: cmake -DROOT=<source dir> -P CheckIncludes.cmake
#
# Tests of any folder may also use testsupport/ and the keyboard emulator.
# The program:  xml, platform <- catalogue, store <- device <- keys, lighting, profiles,
#               upgrade, vhid <- app.  emulator and driver sit beside app; tools, bench and
#               fuzz may use everything.
# TarnUI:       platform <- core <- windows <- controls <- keyboard; it never includes the
#               program. Below app the program sees only TarnUI's value types.

set(base_types "tarnui/platform/(CString|CPoint|CSize|CRect|Numbers|Defaults|Export)\\.h")
set(below_device "xml|platform|catalogue|store")
set(features "keys|lighting|profiles|upgrade|vhid")

set(allow_xml "")
set(allow_platform "")
set(allow_catalogue "xml|platform")
set(allow_store "xml|platform")
set(allow_device "${below_device}")
foreach(f keys lighting profiles upgrade vhid)
  set(allow_${f} "${below_device}|device")
endforeach()
set(allow_emulator "${below_device}|device|${features}")
set(allow_driver "${below_device}|device|${features}")
set(allow_app "${below_device}|device|${features}|tarnui")

set(tarn_layers platform core windows controls keyboard)

set(failures "")
function(check_file file folder allowed allow_base)
  file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" inc "${line}")
    if(NOT inc MATCHES "/")
      continue() # a header beside the source
    endif()
    string(REGEX REPLACE "/.*" "" top "${inc}")
    if(top STREQUAL folder OR top STREQUAL "testsupport")
      continue()
    endif()
    # Tests may drive their folder with the keyboard emulator.
    if(top STREQUAL "emulator" AND file MATCHES "/tests/")
      continue()
    endif()
    if(allow_base AND inc MATCHES "^${base_types}$")
      continue()
    endif()
    if(allowed AND top MATCHES "^(${allowed})$")
      continue()
    endif()
    file(RELATIVE_PATH rel "${ROOT}" "${file}")
    set(failures "${failures}\n  ${rel}: \"${inc}\"" PARENT_SCOPE)
  endforeach()
endfunction()

function(check_tarn_file file layer)
  list(FIND tarn_layers ${layer} mine)
  file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" inc "${line}")
    if(NOT inc MATCHES "/")
      continue()
    endif()
    set(ok FALSE)
    if(inc MATCHES "^testsupport/")
      set(ok TRUE)
    elseif(inc MATCHES "^tarnui/([a-z]+)/")
      list(FIND tarn_layers ${CMAKE_MATCH_1} theirs)
      if(theirs GREATER_EQUAL 0 AND theirs LESS_EQUAL mine)
        set(ok TRUE)
      endif()
    endif()
    if(NOT ok)
      file(RELATIVE_PATH rel "${ROOT}" "${file}")
      set(failures "${failures}\n  ${rel}: \"${inc}\"" PARENT_SCOPE)
    endif()
  endforeach()
endfunction()

foreach(folder xml platform catalogue store device keys lighting profiles upgrade vhid emulator driver app)
  if(NOT IS_DIRECTORY "${ROOT}/${folder}")
    continue()
  endif()
  file(GLOB_RECURSE files "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.cpp")
  set(allow_base TRUE)
  if(folder STREQUAL "app")
    set(allow_base FALSE) # app may include all of TarnUI anyway
  endif()
  foreach(f IN LISTS files)
    check_file("${f}" "${folder}" "${allow_${folder}}" ${allow_base})
  endforeach()
endforeach()

foreach(layer IN LISTS tarn_layers)
  file(GLOB_RECURSE files
    "${ROOT}/tarnui/${layer}/*.h" "${ROOT}/tarnui/${layer}/*.cpp"
    "${ROOT}/tarnui/include/tarnui/${layer}/*.h")
  foreach(f IN LISTS files)
    check_tarn_file("${f}" ${layer})
  endforeach()
endforeach()

if(failures)
  message(FATAL_ERROR "Includes that break the folder dependency rule:${failures}")
endif()
