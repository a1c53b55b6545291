# GoogleTest is built from Debian's googletest sources for every preset, so the
# native and the MinGW builds use the same version built the same way.
set(SW_GOOGLETEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest source tree")
if(NOT EXISTS ${SW_GOOGLETEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest sources not found at ${SW_GOOGLETEST_SOURCE}: run scripts/setup.sh")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(${SW_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/_googletest EXCLUDE_FROM_ALL SYSTEM)
if(SW_SANITIZE)
  foreach(t gtest gtest_main gmock gmock_main)
    target_compile_options(${t} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer)
  endforeach()
endif()

if(CMAKE_CROSSCOMPILING AND WIN32)
  # Every Windows test runs under Wine in a private prefix under the build folder,
  # made once before the tests.
  set(SW_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/tests/wine/wine-run.sh --prefix ${SW_WINEPREFIX})
  add_test(NAME wine_prefix_init COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/wine-run.sh --prefix ${SW_WINEPREFIX} --init)
  set_tests_properties(wine_prefix_init PROPERTIES FIXTURES_SETUP wine_prefix)
endif()
