cmake_minimum_required(VERSION 3.25)
# Fails when a file of FOLDER includes a project header ("folder/name.hpp") of
# a folder outside ALLOWED. Lists arrive separated by "|".
string(REPLACE "|" ";" allowed "${ALLOWED}")
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
