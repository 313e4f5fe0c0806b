# The Windows installer, velquist-VERSION.msi in the build folder, packed with
# wixl (msitools) from data/windows/velquist.wxs: both programs, the help page
# and the README, under the project's version.
find_program(WIXL wixl)
if(NOT WIXL)
  message(STATUS "wixl not found: no Windows installer (scripts/setup tests installs it)")
  return()
endif()
set(VELQUIST_MSI ${CMAKE_BINARY_DIR}/velquist-${PROJECT_VERSION}.msi)
set(wxs ${PROJECT_SOURCE_DIR}/data/windows/velquist.wxs)
set(packed ${PROJECT_SOURCE_DIR}/docs/help.html ${PROJECT_SOURCE_DIR}/docs/help-window.png
  ${PROJECT_SOURCE_DIR}/data/windows/README.txt ${PROJECT_SOURCE_DIR}/data/icons/velquist.ico)
# wixl takes only paths relative to the folder it runs in: the build folder.
file(RELATIVE_PATH source ${CMAKE_BINARY_DIR} ${PROJECT_SOURCE_DIR})
add_custom_command(OUTPUT ${VELQUIST_MSI}
  COMMAND ${WIXL} -a x64 -D Version=${PROJECT_VERSION}
    -D Window=src/ui_windows/velquist.exe -D CommandLine=src/cli/velquist-merge.exe
    -D Docs=${source}/docs -D ReadMe=${source}/data/windows/README.txt
    -D Icon=${source}/data/icons/velquist.ico -o ${VELQUIST_MSI} ${wxs}
  DEPENDS ${wxs} ${packed} velquist velquist-merge
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  COMMENT "Packing the Windows installer"
  VERBATIM)
add_custom_target(velquist_msi ALL DEPENDS ${VELQUIST_MSI})
