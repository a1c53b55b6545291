# The Internet seam on libcurl.
find_package(CURL REQUIRED)
add_library(sw_linux_internet STATIC ${CMAKE_CURRENT_LIST_DIR}/internet_curl.cpp)
target_include_directories(sw_linux_internet PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(sw_linux_internet PUBLIC sw_http PRIVATE CURL::libcurl sw_options)
