# The window layer on USER32 and GDI32, and the one place that converts texts to and
# from UTF-16.
add_library(sw_win32_text STATIC ${CMAKE_CURRENT_LIST_DIR}/text_utf16.cpp)
target_include_directories(sw_win32_text PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(sw_win32_text PUBLIC sw_base PRIVATE sw_options)

add_library(sw_win32_ui STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ui_win32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui_picture.cpp)
target_link_libraries(sw_win32_ui
  PUBLIC sw_app sw_win32_text
  PRIVATE sw_resources sw_options user32 gdi32 comctl32)
