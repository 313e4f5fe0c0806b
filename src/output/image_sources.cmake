# BMP reading and writing, and the GIF conversion.
target_sources(velquist_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/bmp_encode.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bmp_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bmp_decode.cpp
  ${CMAKE_CURRENT_LIST_DIR}/web_palette.cpp
  ${CMAKE_CURRENT_LIST_DIR}/colour_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gif_lzw.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gif_encoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bmp_to_gif.cpp
)
