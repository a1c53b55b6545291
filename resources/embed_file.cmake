# Turns one binary file into a C++ source defining its bytes as an array:
#   cmake -DINPUT=<file> -DOUTPUT=<source.cpp> -DSYMBOL=<name> -P embed_file.cmake
# defines sw::embedded::<name> and <name>Size, declared in resources/embedded_data.h.
foreach(arg INPUT OUTPUT SYMBOL)
  if(NOT DEFINED ${arg})
    message(FATAL_ERROR "embed_file.cmake: -D${arg}=... is required")
  endif()
endforeach()

file(READ "${INPUT}" hex HEX)
if(hex STREQUAL "")
  message(FATAL_ERROR "embed_file.cmake: ${INPUT} is empty or missing")
endif()
# Sixteen bytes to a line keeps the generated source readable.
string(REPEAT "[0-9a-f]" 32 line_of_hex)
string(REGEX REPLACE "(${line_of_hex})" "\\1\n" hex "${hex}")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
get_filename_component(name "${INPUT}" NAME)

file(WRITE "${OUTPUT}.part"
"// Generated at build time from resources/${name} (made by tools/make_resources.py).
#include \"resources/embedded_data.h\"

namespace sw::embedded {

const std::uint8_t ${SYMBOL}[] = {
${bytes}};
const std::size_t ${SYMBOL}Size = sizeof(${SYMBOL});

}  // namespace sw::embedded
")
file(RENAME "${OUTPUT}.part" "${OUTPUT}")
