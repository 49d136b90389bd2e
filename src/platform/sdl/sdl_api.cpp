#include "platform/sdl/sdl_api.h"

#include <dlfcn.h>

namespace brindle {

SdlApi sdl;

namespace {

// The library's run-time name (Debian: libsdl2-2.0-0, which libsdl2-dev installs).
constexpr const char* kLibrary = "libSDL2-2.0.so.0";

std::string LoadError() {
  const char* reason = dlerror();
  return reason != nullptr ? reason : "unknown reason";
}

// The library is never unloaded: the libraries it loads in turn register exit handlers.
std::string Load() {
  void* library = dlopen(kLibrary, RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) return "cannot load SDL2: " + LoadError();
  SdlApi table;
  std::string missing;
#define BRINDLE_SDL_RESOLVE(name)                                                    \
  table.name = reinterpret_cast<decltype(table.name)>(dlsym(library, "SDL_" #name)); \
  if (table.name == nullptr && missing.empty()) missing = "cannot load SDL2: " + LoadError();
  BRINDLE_SDL_FUNCTIONS(BRINDLE_SDL_RESOLVE)
#undef BRINDLE_SDL_RESOLVE
  if (!missing.empty()) return missing;
  sdl = table;
  return "";
}

}  // namespace

bool LoadSdl(std::string& error) {
  static const std::string outcome = Load();
  error = outcome;
  return outcome.empty();
}

}  // namespace brindle
