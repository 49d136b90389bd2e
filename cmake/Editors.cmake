# The editor packages (editors/).
#
# The editors' TextMate grammar and Vim syntax file are generated from the keyword table at
# build time. The copies committed in editors/vscode and editors/neovim (what users install)
# must equal them: a test compares them, and the `grammar` target refreshes the committed copies.

find_package(nlohmann_json 3 REQUIRED)
add_executable(brindle_grammar editors/grammar/main.cpp editors/grammar/grammar.cpp
  editors/grammar/vim_syntax.cpp)
# Only the keyword and event tables are used, and they are headers.
target_include_directories(brindle_grammar PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(brindle_grammar PRIVATE nlohmann_json::nlohmann_json)

set(BRINDLE_GRAMMAR ${CMAKE_BINARY_DIR}/editors/brindle.tmLanguage.json)
set(BRINDLE_COMMITTED_GRAMMAR ${PROJECT_SOURCE_DIR}/editors/vscode/syntaxes/brindle.tmLanguage.json)
set(BRINDLE_VIM_SYNTAX ${CMAKE_BINARY_DIR}/editors/brindle.vim)
set(BRINDLE_COMMITTED_VIM_SYNTAX ${PROJECT_SOURCE_DIR}/editors/neovim/syntax/brindle.vim)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/editors)
add_custom_command(OUTPUT ${BRINDLE_GRAMMAR} ${BRINDLE_VIM_SYNTAX}
  COMMAND brindle_grammar ${BRINDLE_GRAMMAR} ${BRINDLE_VIM_SYNTAX}
  DEPENDS brindle_grammar
  COMMENT "Generating the editor grammar from the keyword table")
add_custom_target(brindle_grammar_json ALL DEPENDS ${BRINDLE_GRAMMAR} ${BRINDLE_VIM_SYNTAX})
add_custom_target(grammar
  COMMAND ${CMAKE_COMMAND} -E copy ${BRINDLE_GRAMMAR} ${BRINDLE_COMMITTED_GRAMMAR}
  COMMAND ${CMAKE_COMMAND} -E copy ${BRINDLE_VIM_SYNTAX} ${BRINDLE_COMMITTED_VIM_SYNTAX}
  DEPENDS ${BRINDLE_GRAMMAR} ${BRINDLE_VIM_SYNTAX}
  COMMENT "Copying the generated grammars to editors/vscode/syntaxes and editors/neovim/syntax")

if(BRINDLE_TESTS)
  # The grammar is matched with Oniguruma, the regular-expression engine of TextMate and VS Code.
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(ONIGURUMA REQUIRED IMPORTED_TARGET oniguruma)
  file(GLOB EDITOR_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/editor/*.cpp)
  add_executable(brindle_editor_tests ${EDITOR_TEST_SOURCES})
  target_link_libraries(brindle_editor_tests PRIVATE brindle_core PkgConfig::ONIGURUMA
                        nlohmann_json::nlohmann_json GTest::gtest GTest::gtest_main)
  target_compile_definitions(brindle_editor_tests PRIVATE
    BRINDLE_GRAMMAR="${BRINDLE_GRAMMAR}"
    BRINDLE_COMMITTED_GRAMMAR="${BRINDLE_COMMITTED_GRAMMAR}"
    BRINDLE_VIM_SYNTAX="${BRINDLE_VIM_SYNTAX}"
    BRINDLE_COMMITTED_VIM_SYNTAX="${BRINDLE_COMMITTED_VIM_SYNTAX}"
    BRINDLE_LANGUAGE_CONFIGURATION="${PROJECT_SOURCE_DIR}/editors/vscode/language-configuration.json"
    BRINDLE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  add_dependencies(brindle_editor_tests brindle_grammar_json)
  gtest_discover_tests(brindle_editor_tests DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 120)

  # The VS Code extension's client, against a stand-in server (Node.js, package nodejs).
  find_program(BRINDLE_NODE NAMES node nodejs)
  if(BRINDLE_NODE)
    foreach(name lsp_client extension)
      add_test(NAME Editor.${name}
        COMMAND ${BRINDLE_NODE} --test ${PROJECT_SOURCE_DIR}/tests/editor/${name}_test.js)
      set_tests_properties(Editor.${name} PROPERTIES TIMEOUT 60)
    endforeach()
    # The debugger, brindle --dap, through the Debug Adapter Protocol's own test client. Its
    # package comes from npm: `make dap-deps` installs it (make test does so first).
    file(GLOB DAP_TESTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/dap/*.test.js)
    foreach(file ${DAP_TESTS})
      get_filename_component(name ${file} NAME_WE)
      add_test(NAME Dap.${name} COMMAND ${BRINDLE_NODE} --test ${file})
      set_tests_properties(Dap.${name} PROPERTIES TIMEOUT 300
        ENVIRONMENT "BRINDLE=$<TARGET_FILE:brindle>;TMPDIR=${BRINDLE_TEST_TMPDIR}")
    endforeach()
  else()
    # In CI (CI set) a missing tool is a failure, not tests left out unseen.
    set(missing_node_is WARNING)
    if(NOT "$ENV{CI}" STREQUAL "")
      set(missing_node_is FATAL_ERROR)
    endif()
    message(${missing_node_is} "node not found: the VS Code extension's and the debugger's tests "
                               "are left out (install nodejs)")
  endif()

  # The Neovim package in Debian's Neovim (package neovim), through Neovim's own client; skipped
  # without nvim.
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  add_test(NAME Editor.neovim
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tests/editor/neovim/run.py
            $<TARGET_FILE:brindle>)
  set_tests_properties(Editor.neovim PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 90)
endif()
