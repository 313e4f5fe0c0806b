# The Windows program against the Linux one: the same merged pages and --inspect
# JSON, byte for byte, and charts that meet the picture rules, for the examples
# and the shared corpus. The Linux program comes from the Linux build beside
# this one (scripts/build).
set(VELQUIST_LINUX_CLI ${PROJECT_SOURCE_DIR}/build/src/cli/velquist-merge
  CACHE FILEPATH "The Linux velquist-merge that the Windows one is compared with")

add_test(NAME windows_output_same_as_linux
  # Debian's Python, which has Pillow (python3-pil) for the chart checks.
  COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/same_as_linux.py
    --linux ${VELQUIST_LINUX_CLI}
    --windows $<TARGET_FILE:velquist-merge>
    --emulator ${CMAKE_CROSSCOMPILING_EMULATOR}
    --examples ${PROJECT_SOURCE_DIR}/examples
    --corpus ${VELQUIST_CORPUS_DIR})
set_tests_properties(windows_output_same_as_linux PROPERTIES
  SKIP_RETURN_CODE 77 TIMEOUT 600 ENVIRONMENT QT_QPA_PLATFORM=offscreen)

# What the Windows program does when its surroundings fail it: standard output
# that takes nothing, a missing temporary folder, a result named "*.GIF".
add_test(NAME windows_failures_through_the_command_line
  COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/windows_failures.py
    --windows $<TARGET_FILE:velquist-merge>
    --emulator ${CMAKE_CROSSCOMPILING_EMULATOR}
    --examples ${PROJECT_SOURCE_DIR}/examples)
set_tests_properties(windows_failures_through_the_command_line PROPERTIES TIMEOUT 300)
