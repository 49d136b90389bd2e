# Writes INPUT as a byte array named SYMBOL (namespace brindle) into the C++ file OUTPUT, whose
# declaration lives in HEADER. Run in script mode: cmake -DINPUT=… -DOUTPUT=… -DSYMBOL=…
# -DHEADER=… -P EmbedFile.cmake
foreach(var INPUT OUTPUT SYMBOL HEADER)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "EmbedFile.cmake needs -D${var}=…")
  endif()
endforeach()

file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR byte_count "${hex_length} / 2")
if(byte_count EQUAL 0)
  message(FATAL_ERROR "${INPUT} is empty")
endif()

string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# Sixteen bytes a line keeps the generated file readable in an editor and in compiler messages.
# (CMake regular expressions have no {n}, hence the repetition.)
string(REPEAT "0x[0-9a-f][0-9a-f]," 16 sixteen_bytes)
string(REGEX REPLACE "(${sixteen_bytes})" "\\1\n" bytes "${bytes}")
get_filename_component(input_name "${INPUT}" NAME)

# Written under a temporary name first so that an interrupted build never leaves a truncated
# source behind that looks up to date.
file(WRITE "${OUTPUT}.tmp"
  "// Generated from ${input_name} by cmake/EmbedFile.cmake. Do not edit.\n"
  "#include \"${HEADER}\"\n\n"
  "namespace brindle {\n\n"
  "const unsigned char ${SYMBOL}[] = {\n${bytes}\n};\n"
  "const std::size_t ${SYMBOL}Size = ${byte_count};\n\n"
  "}  // namespace brindle\n")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
