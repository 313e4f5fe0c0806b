# The Windows program against the Linux one: the same merged pages and --inspect
# JSON, byte for byte, for the examples and the shared corpus. The Linux
# program comes from the Linux build beside this one (scripts/build).
set(VELQUIST_LINUX_CLI ${PROJECT_SOURCE_DIR}/build/src/cli/velquist-merge
  CACHE FILEPATH "The Linux velquist-merge that the Windows one is compared with")

# Until Windows draws the chart, merges there are refused; this test program
# merges with a chart step that draws nothing, which leaves the page as it is.
add_executable(merge_with_blank_chart merge_with_blank_chart.cpp)
target_link_libraries(merge_with_blank_chart PRIVATE velquist_cli velquist_core)
target_link_options(merge_with_blank_chart PRIVATE -municode)

add_test(NAME windows_output_same_as_linux
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/same_as_linux.py
    --linux ${VELQUIST_LINUX_CLI}
    --windows $<TARGET_FILE:merge_with_blank_chart>
    --emulator ${CMAKE_CROSSCOMPILING_EMULATOR}
    --examples ${PROJECT_SOURCE_DIR}/examples
    --corpus ${VELQUIST_CORPUS_DIR})
set_tests_properties(windows_output_same_as_linux PROPERTIES
  SKIP_RETURN_CODE 77 TIMEOUT 600 ENVIRONMENT QT_QPA_PLATFORM=offscreen)
