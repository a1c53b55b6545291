# The Internet seam on wininet.dll, bound at run time (no import library).
add_library(sw_win32_internet STATIC
  ${CMAKE_CURRENT_LIST_DIR}/internet_wininet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/head_budget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/head_watchdog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/redirect_target.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wininet_api.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wininet_request.cpp)
target_include_directories(sw_win32_internet PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(sw_win32_internet PUBLIC sw_http sw_base PRIVATE sw_options)
