# End-to-end tests of the window: each starts its own Xvfb and drives brindle with xdotool.
# Without Xvfb they report themselves skipped.

find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(WINDOW_TEST_SCRIPT ${PROJECT_SOURCE_DIR}/tests/window/window_test.py)
execute_process(
  COMMAND ${Python3_EXECUTABLE} ${WINDOW_TEST_SCRIPT} --list
  OUTPUT_VARIABLE WINDOW_TEST_NAMES OUTPUT_STRIP_TRAILING_WHITESPACE)
string(REPLACE "\n" ";" WINDOW_TEST_NAMES "${WINDOW_TEST_NAMES}")
# The tests that watch how frames keep up run alone, so that no other test takes the processor.
execute_process(
  COMMAND ${Python3_EXECUTABLE} ${WINDOW_TEST_SCRIPT} --list-timing
  OUTPUT_VARIABLE WINDOW_TIMING_TESTS OUTPUT_STRIP_TRAILING_WHITESPACE)
string(REPLACE "\n" ";" WINDOW_TIMING_TESTS "${WINDOW_TIMING_TESTS}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${WINDOW_TEST_SCRIPT})
foreach(name IN LISTS WINDOW_TEST_NAMES)
  add_test(NAME Window.${name}
    COMMAND ${Python3_EXECUTABLE} ${WINDOW_TEST_SCRIPT} $<TARGET_FILE:brindle> ${name})
  set_tests_properties(Window.${name} PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 120)
  if(name IN_LIST WINDOW_TIMING_TESTS)
    set_tests_properties(Window.${name} PROPERTIES RUN_SERIAL TRUE)
  endif()
  if(BRINDLE_SANITIZE)
    set_tests_properties(Window.${name} PROPERTIES ENVIRONMENT BRINDLE_SANITIZED=1)
  endif()
endforeach()
