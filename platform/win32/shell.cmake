# Opening web addresses through the Windows shell.
add_library(sw_win32_shell STATIC ${CMAKE_CURRENT_LIST_DIR}/shell_win32.cpp)
target_link_libraries(sw_win32_shell PUBLIC sw_base shell32 user32 PRIVATE sw_options)
