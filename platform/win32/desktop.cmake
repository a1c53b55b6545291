# The desktop operations on USER32.
add_library(sw_win32_desktop STATIC
  ${CMAKE_CURRENT_LIST_DIR}/absolute_input.cpp
  ${CMAKE_CURRENT_LIST_DIR}/desktop_win32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/desktop_dpi_win32.cpp)
target_link_libraries(sw_win32_desktop PUBLIC sw_watcher sw_base user32 PRIVATE sw_options)
