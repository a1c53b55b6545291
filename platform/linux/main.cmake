# The Linux program in <build>/app/, where scripts/run.sh starts it.
if(NOT SW_BUILD_GUI)
  return()
endif()
add_executable(zandrel-signin ${CMAKE_CURRENT_LIST_DIR}/main_linux.cpp)
target_link_libraries(zandrel-signin PRIVATE
  sw_app sw_linux_ui sw_linux_desktop sw_linux_chime sw_linux_internet sw_linux_shell
  sw_resources sw_options)
set_target_properties(zandrel-signin PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/app
  OUTPUT_NAME zandrel-signin)
