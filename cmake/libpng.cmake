# libpng (with zlib) for decoding the pictures. Natively it is Debian's libpng-dev; for
# the MinGW build it is built here, statically, from Debian's libpng source package and
# linked with Debian's MinGW zlib.
add_library(sw_png INTERFACE)

if(NOT CMAKE_CROSSCOMPILING)
  find_package(PNG REQUIRED)
  target_link_libraries(sw_png INTERFACE PNG::PNG)
  return()
endif()

set(ZLIB_USE_STATIC_LIBS ON)
find_package(ZLIB REQUIRED)
set(SW_LIBPNG_SOURCE ${CMAKE_SOURCE_DIR}/build/third_party/libpng CACHE PATH "libpng source tree")
if(NOT EXISTS ${SW_LIBPNG_SOURCE}/png.h)
  message(STATUS "Fetching Debian's libpng source into ${SW_LIBPNG_SOURCE}")
  execute_process(COMMAND ${CMAKE_SOURCE_DIR}/scripts/fetch-libpng-source.sh ${SW_LIBPNG_SOURCE}
                  RESULT_VARIABLE fetch_result)
  if(NOT fetch_result EQUAL 0)
    message(FATAL_ERROR "Could not fetch the libpng source (see above)")
  endif()
endif()

# The prebuilt configuration header libpng ships stands in for the one its own build
# generates with awk.
set(sw_png_config ${CMAKE_BINARY_DIR}/_libpng/pnglibconf.h)
configure_file(${SW_LIBPNG_SOURCE}/scripts/pnglibconf.h.prebuilt ${sw_png_config} COPYONLY)

set(sw_png_sources)
foreach(name png pngerror pngget pngmem pngpread pngread pngrio pngrtran pngrutil pngset
             pngtrans pngwio pngwrite pngwtran pngwutil)
  list(APPEND sw_png_sources ${SW_LIBPNG_SOURCE}/${name}.c)
endforeach()
add_library(sw_libpng_static STATIC ${sw_png_sources})
target_include_directories(sw_libpng_static SYSTEM PUBLIC ${SW_LIBPNG_SOURCE} ${CMAKE_BINARY_DIR}/_libpng)
# Plain C code paths only: the SIMD files are not compiled in.
target_compile_definitions(sw_libpng_static PRIVATE PNG_INTEL_SSE_OPT=0 PNG_ARM_NEON_OPT=0
                           PNG_MIPS_MSA_OPT=0 PNG_POWERPC_VSX_OPT=0)
target_link_libraries(sw_libpng_static PUBLIC ZLIB::ZLIB)
target_link_libraries(sw_png INTERFACE sw_libpng_static)
