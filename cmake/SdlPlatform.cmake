# The desktop window over SDL2 (Debian: libsdl2-dev). Only src/platform/sdl/ includes SDL. The
# program does not link the library: src/platform/sdl/sdl_api.cpp loads it with dlopen when the
# first window opens, so headless runs and their start-up never pay for it (nor for the X11,
# Wayland, audio and D-Bus libraries it brings). The core and its tests run where there is no
# display.

find_package(SDL2 REQUIRED)
add_library(brindle_sdl STATIC ${BRINDLE_SDL_SOURCES})
# SDL's headers only (their types and macros), not its library.
target_include_directories(brindle_sdl SYSTEM PUBLIC
  $<TARGET_PROPERTY:SDL2::SDL2,INTERFACE_INCLUDE_DIRECTORIES>)
target_link_libraries(brindle_sdl PUBLIC brindle_core ${CMAKE_DL_LIBS})
