# The balance chart: drawn with Qt Gui, saved through the core's BMP and GIF
# code. The only library of src/output that links Qt; the core never does.
find_package(Qt6 REQUIRED COMPONENTS Gui)

add_library(velquist_chart STATIC
  ${CMAKE_CURRENT_LIST_DIR}/chart_data.cpp
  ${CMAKE_CURRENT_LIST_DIR}/chart_scale.cpp
  ${CMAKE_CURRENT_LIST_DIR}/chart_line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/chart_render.cpp
  ${CMAKE_CURRENT_LIST_DIR}/balance_chart.cpp
)
# Qt Gui is public: chart_render.hpp shows QImage, and every user must create
# a QGuiApplication before drawing.
target_link_libraries(velquist_chart PUBLIC velquist_core Qt6::Gui)
