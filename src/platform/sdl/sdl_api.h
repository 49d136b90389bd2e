// SDL2, loaded when the first window opens: headless runs, --check and --version never load it
// (with its X11, Wayland, PulseAudio and D-Bus libraries), which keeps their start-up short.
// SDL's headers give the types; the functions are called through the table `sdl`, filled from
// libSDL2-2.0.so.0 with dlsym. Only src/platform/sdl/ uses it.
#pragma once

#include <SDL.h>
#include <SDL_syswm.h>

#include <string>

namespace brindle {

// Every SDL function the desktop platform calls. (SDL_BlitScaled is a macro for
// SDL_UpperBlitScaled.)
#define BRINDLE_SDL_FUNCTIONS(X)    \
  X(CreateRGBSurfaceWithFormatFrom) \
  X(CreateWindow)                   \
  X(DestroyWindow)                  \
  X(FillRect)                       \
  X(FreeSurface)                    \
  X(GetDisplayUsableBounds)         \
  X(GetError)                       \
  X(GetWindowBordersSize)           \
  X(GetWindowDisplayIndex)          \
  X(GetWindowFlags)                 \
  X(GetWindowID)                    \
  X(GetWindowSize)                  \
  X(GetWindowSurface)               \
  X(GetWindowWMInfo)                \
  X(HasEvents)                      \
  X(Init)                           \
  X(LockSurface)                    \
  X(MapRGB)                         \
  X(PeepEvents)                     \
  X(PollEvent)                      \
  X(PumpEvents)                     \
  X(Quit)                           \
  X(RaiseWindow)                    \
  X(SetHint)                        \
  X(SetWindowFullscreen)            \
  X(SetWindowInputFocus)            \
  X(SetWindowSize)                  \
  X(SetWindowTitle)                 \
  X(StartTextInput)                 \
  X(UnlockSurface)                  \
  X(UpdateWindowSurface)            \
  X(UpperBlitScaled)                \
  X(WaitEventTimeout)

struct SdlApi {
#define BRINDLE_SDL_MEMBER(name) decltype(&::SDL_##name) name = nullptr;
  BRINDLE_SDL_FUNCTIONS(BRINDLE_SDL_MEMBER)
#undef BRINDLE_SDL_MEMBER
};

// The table; empty until LoadSdl has succeeded.
extern SdlApi sdl;

// Loads the library and fills the table (once; later calls only report the first outcome).
// False, with the reason (dlerror's) in error, when the library or one of its functions cannot
// be found.
bool LoadSdl(std::string& error);

}  // namespace brindle
