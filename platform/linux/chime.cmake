# The chime through ALSA: one thread and one playback handle per request.
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)
pkg_check_modules(SW_ALSA REQUIRED IMPORTED_TARGET alsa)

add_library(sw_linux_chime STATIC
  ${CMAKE_CURRENT_LIST_DIR}/chime_alsa.cpp
  ${CMAKE_CURRENT_LIST_DIR}/chime_alsa_stream.cpp)
target_include_directories(sw_linux_chime PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(sw_linux_chime PUBLIC sw_watcher Threads::Threads
                      PRIVATE PkgConfig::SW_ALSA sw_options)
