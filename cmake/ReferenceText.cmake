# The keyword reference is read from docs/, so that the docs, the language server's hover, the
# terminal's help and the hints after a fault are one text. Sets out to the generated source.
function(brindle_reference_text_source out repo)
  set(source ${CMAKE_BINARY_DIR}/generated/reference_text.cpp)
  add_custom_command(OUTPUT ${source}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${repo}/docs/reference.md
            -DOUTPUT=${source} -DNAME=kReferenceText
            -P ${repo}/cmake/EmbedText.cmake
    DEPENDS ${repo}/docs/reference.md ${repo}/cmake/EmbedText.cmake
    VERBATIM)
  set(${out} ${source} PARENT_SCOPE)
endfunction()
