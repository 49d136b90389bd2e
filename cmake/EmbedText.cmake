# Writes OUTPUT, a C++ source that defines NAME as the text of INPUT, so that a text kept in
# docs/ is compiled into the program and the two cannot drift. Run by add_custom_command.
file(READ "${INPUT}" text)
set(delimiter "brindle_text")
string(FIND "${text}" ")${delimiter}" clash)
if(NOT clash EQUAL -1)
  message(FATAL_ERROR "${INPUT} holds the raw string delimiter )${delimiter}")
endif()
file(WRITE "${OUTPUT}"
  "// Made from ${INPUT} at build time; edit that file, not this one.\n"
  "namespace brindle {\n"
  "extern const char ${NAME}[];\n"
  "const char ${NAME}[] = R\"${delimiter}(${text})${delimiter}\";\n"
  "}  // namespace brindle\n")
