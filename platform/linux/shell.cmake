# Opening web addresses through xdg-open.
find_package(Threads REQUIRED)

add_library(sw_linux_shell STATIC ${CMAKE_CURRENT_LIST_DIR}/shell_xdg.cpp)
target_include_directories(sw_linux_shell PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(sw_linux_shell PUBLIC sw_base Threads::Threads PRIVATE sw_options)
