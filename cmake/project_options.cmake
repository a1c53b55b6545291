# Compile options shared by every target of the project (not by third-party code).
add_library(sw_options INTERFACE)

if(MSVC)
  target_compile_options(sw_options INTERFACE /W4 /WX /utf-8 /fp:precise)
else()
  target_compile_options(sw_options INTERFACE
    -Wall -Wextra -Wpedantic -Werror -Wshadow -Wconversion -Wno-sign-conversion
    # The watch tick's arithmetic must be plain IEEE double operations: no fused
    # multiply-add, no x87 excess precision, whatever the target.
    -ffp-contract=off)
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "x86|i[3-6]86|AMD64|amd64")
    target_compile_options(sw_options INTERFACE -msse2 -mfpmath=sse)
  endif()
endif()

if(WIN32)
  target_compile_definitions(sw_options INTERFACE
    WIN32_LEAN_AND_MEAN NOMINMAX UNICODE _UNICODE _WIN32_WINNT=0x0A00 WINVER=0x0A00)
  if(MINGW)
    # One self-contained .exe: the MinGW runtime is linked in.
    target_link_options(sw_options INTERFACE -static -static-libgcc -static-libstdc++)
  endif()
endif()

if(SW_SANITIZE)
  set(sw_san_flags -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_compile_options(sw_options INTERFACE ${sw_san_flags})
  target_link_options(sw_options INTERFACE ${sw_san_flags})
endif()

# Adds a unit-test executable and registers it with CTest. On a cross build the
# test runs through CMAKE_CROSSCOMPILING_EMULATOR (Wine).
function(sw_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main sw_options)
  add_test(NAME ${name} COMMAND ${name})
  set(labels unit ${ARG_LABELS})
  set_tests_properties(${name} PROPERTIES LABELS "${labels}")
  if(CMAKE_CROSSCOMPILING)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine_prefix)
  endif()
endfunction()
