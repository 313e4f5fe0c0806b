# Who may use whom: one entry per folder of src/, ground floor first, naming
# the folders whose headers the folder's files may include besides its own.
# This is the only place the map is written: velquist_library links each
# library to the folders its entry names, and run as a script,
#   cmake -DFOLDER=folder -DFILES=file|file|... -P check_includes.cmake
# this file fails when one of the files includes a project header
# ("folder/name.hpp") of a folder outside the entry.
set(VELQUIST_FOLDERS)
macro(velquist_uses folder)
  list(APPEND VELQUIST_FOLDERS ${folder})
  set(VELQUIST_USES_${folder} ${ARGN})
endmacro()

velquist_uses(base)
velquist_uses(system     base)
velquist_uses(languages  base)
velquist_uses(model      languages system base)
velquist_uses(reader     model languages system base)
velquist_uses(merge      model system base)
velquist_uses(html       model languages system base)
velquist_uses(image      system base)
velquist_uses(job        reader merge html model system base)
velquist_uses(chart      image model system base)
velquist_uses(cli        job reader model languages system base)
velquist_uses(ui         job chart model languages system base)
velquist_uses(ui_windows job model languages system base)

if(NOT CMAKE_SCRIPT_MODE_FILE)
  return()
endif()
cmake_minimum_required(VERSION 3.25)

if(NOT FOLDER IN_LIST VELQUIST_FOLDERS)
  message(FATAL_ERROR "src/${FOLDER}/ has no entry in ${CMAKE_CURRENT_LIST_FILE}")
endif()
set(allowed ${FOLDER} ${VELQUIST_USES_${FOLDER}})
string(REPLACE "|" ";" files "${FILES}")
foreach(file IN LISTS files)
  file(STRINGS ${file} includes REGEX "^#include \"[a-z_]+/")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^#include \"([a-z_]+)/.*" "\\1" used "${line}")
    if(NOT used IN_LIST allowed)
      string(REPLACE ";" ", " names "${allowed}")
      message(FATAL_ERROR "${file} includes ${used}/, which ${FOLDER}/ may not use "
                          "(it may use ${names})")
    endif()
  endforeach()
endforeach()
