# The X11 desktop: window listing, rectangles and synthetic clicks through XCB and XTest.
find_package(PkgConfig REQUIRED)
pkg_check_modules(SW_XCB REQUIRED IMPORTED_TARGET xcb xcb-xtest)

add_library(sw_linux_desktop STATIC
  ${CMAKE_CURRENT_LIST_DIR}/desktop_xcb.cpp
  ${CMAKE_CURRENT_LIST_DIR}/desktop_xcb_clients.cpp
  ${CMAKE_CURRENT_LIST_DIR}/desktop_xcb_listed.cpp)
target_include_directories(sw_linux_desktop PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(sw_linux_desktop PUBLIC sw_watcher PkgConfig::SW_XCB PRIVATE sw_options)
