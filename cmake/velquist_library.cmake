# velquist_library(FOLDER SOURCES file...)
#
# One static library per source folder, velquist_FOLDER, linked to the
# libraries of the folders it may use: the folder's entry in
# cmake/check_includes.cmake, the map of who may use whom. A file of the folder
# may include the headers of its own folder and of those folders, and no
# others. The check runs before the library compiles, so an include against
# the map fails the build.
include(${CMAKE_CURRENT_LIST_DIR}/check_includes.cmake)

function(velquist_library folder)
  cmake_parse_arguments(ARG "" "" "SOURCES" ${ARGN})
  if(NOT folder IN_LIST VELQUIST_FOLDERS)
    message(FATAL_ERROR "src/${folder}/ has no entry in cmake/check_includes.cmake")
  endif()
  set(target velquist_${folder})
  add_library(${target} STATIC ${ARG_SOURCES})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${target} PRIVATE velquist_warnings)
  foreach(used IN LISTS VELQUIST_USES_${folder})
    target_link_libraries(${target} PRIVATE velquist_${used})
  endforeach()

  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.hpp)
  set(files ${ARG_SOURCES} ${headers})
  list(TRANSFORM files PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/ REGEX "^[^/]")
  string(REPLACE ";" "|" checked "${files}")
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}_includes.stamp)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DFOLDER=${folder} -DFILES=${checked}
            -P ${PROJECT_SOURCE_DIR}/cmake/check_includes.cmake
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${files} ${PROJECT_SOURCE_DIR}/cmake/check_includes.cmake
    COMMENT "Checking what ${folder}/ includes"
    VERBATIM)
  add_custom_target(${target}_includes DEPENDS ${stamp})
  add_dependencies(${target} ${target}_includes)
endfunction()
