# Balance chart tests. Their own main starts a QGuiApplication on the
# offscreen platform, so no display is needed.
add_executable(chart_tests
  ${CMAKE_CURRENT_LIST_DIR}/chart_main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/chart_test_support.cpp
  ${CMAKE_CURRENT_LIST_DIR}/chart_data_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/chart_label_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/chart_picture_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/chart_create_graph_test.cpp
)
target_link_libraries(chart_tests PRIVATE velquist_chart GTest::gtest)
target_include_directories(chart_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
gtest_discover_tests(chart_tests DISCOVERY_TIMEOUT 60
  PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
