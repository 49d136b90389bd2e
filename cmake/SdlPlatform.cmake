# The desktop window over SDL2 (Debian: libsdl2-dev). Only src/platform/sdl/ includes SDL, and
# only the brindle program links it: the core and its tests run where there is no display.

find_package(SDL2 REQUIRED)
file(GLOB SDL_PLATFORM_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/platform/sdl/*.cpp)
add_library(brindle_sdl STATIC ${SDL_PLATFORM_SOURCES})
target_link_libraries(brindle_sdl PUBLIC brindle_core SDL2::SDL2)
