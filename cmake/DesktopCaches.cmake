# Tells the desktop's caches under DATADIR of the MIME types, desktop entries and icons just
# installed or removed; each tool is run only where it is installed.
foreach(update "update-mime-database;${DATADIR}/mime"
               "update-desktop-database;-q;${DATADIR}/applications"
               "gtk-update-icon-cache;-q;-t;${DATADIR}/icons/hicolor")
  list(GET update 0 program)
  find_program(BRINDLE_CACHE_TOOL ${program})
  if(BRINDLE_CACHE_TOOL AND IS_DIRECTORY "${DATADIR}")
    execute_process(COMMAND ${update} OUTPUT_QUIET ERROR_QUIET)
  endif()
  unset(BRINDLE_CACHE_TOOL CACHE)
endforeach()
