# Installing Brindle (GNUInstallDirs: PREFIX/bin, PREFIX/share/...): the program, its manual
# page and shell completions (made by brindle_manual from the option table), the desktop
# entry, the MIME type of scripts, the icon, the examples and the docs. `uninstall` removes
# what the last install wrote.

add_executable(brindle_manual packaging/manual/main.cpp packaging/manual/man_page.cpp
  packaging/manual/completions.cpp packaging/manual/markdown_table.cpp packaging/manual/roff.cpp)
target_link_libraries(brindle_manual PRIVATE brindle_core)

set(BRINDLE_EXAMPLES_DIR ${CMAKE_INSTALL_DATADIR}/brindle/examples)
set(BRINDLE_MANUAL_DIR ${CMAKE_BINARY_DIR}/packaging)
set(BRINDLE_MANUAL_FILES ${BRINDLE_MANUAL_DIR}/brindle.1 ${BRINDLE_MANUAL_DIR}/brindle
  ${BRINDLE_MANUAL_DIR}/_brindle ${BRINDLE_MANUAL_DIR}/brindle.fish)
add_custom_command(OUTPUT ${BRINDLE_MANUAL_FILES}
  COMMAND brindle_manual ${PROJECT_VERSION} ${PROJECT_SOURCE_DIR}/docs/command-line.md
          ${CMAKE_INSTALL_FULL_DOCDIR} ${CMAKE_INSTALL_PREFIX}/${BRINDLE_EXAMPLES_DIR}
          ${BRINDLE_MANUAL_DIR}
  DEPENDS brindle_manual ${PROJECT_SOURCE_DIR}/docs/command-line.md
  COMMENT "Writing the manual page and the shell completions from the option table")
add_custom_target(brindle_manual_pages ALL DEPENDS ${BRINDLE_MANUAL_FILES})

install(TARGETS brindle RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${BRINDLE_MANUAL_DIR}/brindle.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${BRINDLE_MANUAL_DIR}/brindle
  DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
# Debian's zsh reads vendor-completions under /usr; elsewhere zsh's own site-functions.
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  set(BRINDLE_ZSH_DIR ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions)
else()
  set(BRINDLE_ZSH_DIR ${CMAKE_INSTALL_DATADIR}/zsh/site-functions)
endif()
install(FILES ${BRINDLE_MANUAL_DIR}/_brindle DESTINATION ${BRINDLE_ZSH_DIR})
install(FILES ${BRINDLE_MANUAL_DIR}/brindle.fish
  DESTINATION ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d)
install(FILES packaging/brindle.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/brindle.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
foreach(size 16 32 48 64 128 256)
  install(FILES packaging/icon/hicolor/${size}x${size}/apps/brindle.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(DIRECTORY examples/ DESTINATION ${BRINDLE_EXAMPLES_DIR})
install(DIRECTORY docs/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs)
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
# The README and the docs link to examples/ beside them.
install(CODE "
  set(link \"\$ENV{DESTDIR}${CMAKE_INSTALL_FULL_DOCDIR}/examples\")
  file(RELATIVE_PATH target \"${CMAKE_INSTALL_FULL_DOCDIR}\"
       \"${CMAKE_INSTALL_PREFIX}/${BRINDLE_EXAMPLES_DIR}\")
  file(REMOVE \"\${link}\")
  file(CREATE_LINK \"\${target}\" \"\${link}\" SYMBOLIC)
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"${CMAKE_INSTALL_FULL_DOCDIR}/examples\")
  message(STATUS \"Installing: \${link} -> \${target}\")")
# Straight onto this machine (no DESTDIR, as a package's scripts do it otherwise), the desktop's
# caches learn of the new type, entry and icon.
install(CODE "
  if(\"\$ENV{DESTDIR}\" STREQUAL \"\")
    set(DATADIR \"${CMAKE_INSTALL_FULL_DATADIR}\")
    include(\"${PROJECT_SOURCE_DIR}/cmake/DesktopCaches.cmake\")
  endif()")

add_custom_target(uninstall
  COMMAND ${CMAKE_COMMAND} -DMANIFEST=${CMAKE_BINARY_DIR}/install_manifest.txt
          -DPREFIX=${CMAKE_INSTALL_PREFIX} -DDATADIR=${CMAKE_INSTALL_FULL_DATADIR}
          -DDOCDIR=${CMAKE_INSTALL_FULL_DOCDIR} -P ${PROJECT_SOURCE_DIR}/cmake/Uninstall.cmake
  COMMENT "Removing what the last install wrote")

if(BRINDLE_TESTS)
  # The committed icons are what packaging/icon/brindle.bas draws (needs ImageMagick).
  find_program(BRINDLE_CONVERT convert)
  if(BRINDLE_CONVERT)
    add_test(NAME Packaging.IconMatchesItsScript
      COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/packaging/icon/render.py
              $<TARGET_FILE:brindle>)
  endif()
  # The manual page and the completions name every option, and the shells complete with them.
  add_test(NAME Packaging.ManualAndCompletions
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tests/packaging/manual_test.py
            $<TARGET_FILE:brindle> ${BRINDLE_MANUAL_DIR})
  set_tests_properties(Packaging.ManualAndCompletions PROPERTIES TIMEOUT 120
    ENVIRONMENT "TMPDIR=${BRINDLE_TEST_TMPDIR}")
  add_test(NAME Packaging.VersionsAgree
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tests/packaging/versions_test.py
            ${PROJECT_SOURCE_DIR})
endif()
