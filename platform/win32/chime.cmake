# The chime on waveOut (WINMM).
add_library(sw_win32_chime STATIC
  ${CMAKE_CURRENT_LIST_DIR}/chime_waveout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/chime_waveout_player.cpp)
target_link_libraries(sw_win32_chime PUBLIC sw_watcher sw_base winmm PRIVATE sw_options)
