# BMP and GIF tests. The decoder checks run Pillow (through gif_decode.py) and
# giflib's gif2rgb as separate programs and skip when neither is installed.
velquist_add_test(image_tests
  ${CMAKE_CURRENT_LIST_DIR}/bmp_test_builder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gif_test_support.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bmp_decode_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bmp_encode_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bmp_fixture_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gif_colour_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gif_encoder_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gif_bmp_to_gif_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gif_decoder_test.cpp
)
target_compile_definitions(image_tests PRIVATE
  VELQUIST_GIF_DECODE_SCRIPT="${CMAKE_CURRENT_LIST_DIR}/gif_decode.py")
