# The window layer on GTK 3 (X11 backend), and the one place that converts texts from
# GBK to UTF-8.
if(NOT SW_BUILD_GUI)
  return()
endif()
find_package(PkgConfig REQUIRED)
pkg_check_modules(SW_GTK REQUIRED IMPORTED_TARGET gtk+-3.0)

add_library(sw_linux_text STATIC ${CMAKE_CURRENT_LIST_DIR}/text_utf8.cpp)
target_include_directories(sw_linux_text PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(sw_linux_text PUBLIC sw_base PRIVATE sw_options)

add_library(sw_linux_ui STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ui_gtk.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui_gtk_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui_gtk_controls.cpp)
target_include_directories(sw_linux_ui PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(sw_linux_ui
  PUBLIC sw_app sw_linux_text PkgConfig::SW_GTK
  PRIVATE sw_resources sw_options)
