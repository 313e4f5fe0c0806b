# CLI11, the command line's parser: a header-only Debian package. A native
# build takes its CMake package. The Windows cross-build sees only its header
# folder, through a folder of its own: giving MinGW all of /usr/include would
# mix glibc's headers into its own.
if(CMAKE_CROSSCOMPILING)
  set(headers ${CMAKE_BINARY_DIR}/header_libraries)
  file(MAKE_DIRECTORY ${headers})
  if(NOT EXISTS /usr/include/CLI)
    message(FATAL_ERROR "/usr/include/CLI is missing: run scripts/setup")
  endif()
  file(CREATE_LINK /usr/include/CLI ${headers}/CLI SYMBOLIC)
  add_library(CLI11::CLI11 INTERFACE IMPORTED)
  set_target_properties(CLI11::CLI11 PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${headers})
else()
  find_package(CLI11 2.1 CONFIG REQUIRED)
endif()
