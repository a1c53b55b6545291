# The Windows program: one self-contained executable (static MinGW runtime, libpng and
# zlib) in <build>/app/, with its icon and manifest.
add_executable(zandrel-signin WIN32
  ${CMAKE_CURRENT_LIST_DIR}/main_win32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zandrel-signin.rc)
# The resource compiler finds the icon and the manifest through these folders.
target_include_directories(zandrel-signin PRIVATE ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(zandrel-signin PRIVATE
  sw_app sw_win32_ui sw_win32_desktop sw_win32_chime sw_win32_internet sw_win32_shell
  sw_resources sw_options)
if(MINGW)
  # A wide-character entry point.
  target_link_options(zandrel-signin PRIVATE -municode)
elseif(MSVC)
  # The manifest comes from the .rc file; the linker must not add a second one.
  target_link_options(zandrel-signin PRIVATE /MANIFEST:NO)
endif()
set_target_properties(zandrel-signin PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/app
  OUTPUT_NAME zandrel-signin)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/zandrel-signin.rc PROPERTIES
  OBJECT_DEPENDS "${PROJECT_SOURCE_DIR}/resources/icon.ico;${CMAKE_CURRENT_LIST_DIR}/zandrel-signin.manifest")
