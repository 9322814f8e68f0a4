# Unit tests of the editor's resource readers. Included from tests/unit/CMakeLists.txt.
add_executable(reader_tests
  ${CMAKE_CURRENT_LIST_DIR}/ByteReaderTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinFilesTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PngDecoderTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextureDescriptionTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MipmapLevelsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Model3DSTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BitmapFontTest.cpp)
target_link_libraries(reader_tests PRIVATE vantor_test_support vantor_core GTest::gtest GTest::gtest_main)
vantor_add_gtest(reader_tests LABELS unit memory)
