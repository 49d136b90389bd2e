#include "platform/sdl/surface_blit.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/sdl/sdl_api.h"

namespace brindle {
namespace {

// A ColorRef (0x00BBGGRR) as a pixel of a 32-bit surface format, opaque.
struct PixelPacker {
  explicit PixelPacker(const SDL_PixelFormat& f)
      : r_shift(f.Rshift), g_shift(f.Gshift), b_shift(f.Bshift), alpha(f.Amask) {}
  uint32_t operator()(ColorRef c) const {
    return (c & 0xFF) << r_shift | ((c >> 8) & 0xFF) << g_shift | ((c >> 16) & 0xFF) << b_shift |
           alpha;
  }
  uint32_t r_shift, g_shift, b_shift, alpha;
};

void Show32(SDL_Surface* surface, std::span<const ColorRef> picture, int width, int height,
            int zoom) {
  const PixelPacker pack(*surface->format);
  const uint32_t face = pack(kButtonFace);
  const int shown_width = std::min(width * zoom, surface->w);
  std::vector<uint32_t> row(static_cast<size_t>(surface->w), face);
  auto* target = static_cast<uint8_t*>(surface->pixels);
  for (int y = 0; y < surface->h; ++y) {
    const int source_y = y / zoom;
    // A zoomed row is made once and copied to the rows below it.
    if (source_y < height && (y % zoom == 0)) {
      const ColorRef* source = picture.data() + static_cast<size_t>(source_y) * width;
      if (zoom == 1) {
        for (int x = 0; x < shown_width; ++x) row[x] = pack(source[x]);
      } else {
        for (int x = 0; x < shown_width; ++x) row[x] = pack(source[x / zoom]);
      }
    } else if (source_y >= height && y == height * zoom) {
      std::fill(row.begin(), row.end(), face);
    }
    std::memcpy(target + static_cast<size_t>(y) * surface->pitch, row.data(), row.size() * 4);
  }
}

// Formats other than 32 bits a pixel: SDL converts and scales.
bool ShowConverted(SDL_Window* window, SDL_Surface* surface, std::span<const ColorRef> picture,
                   int width, int height, int zoom) {
  SDL_Surface* source =
      sdl.CreateRGBSurfaceWithFormatFrom(const_cast<ColorRef*>(picture.data()), width, height, 32,
                                         width * 4, SDL_PIXELFORMAT_XBGR8888);
  if (source == nullptr) return false;
  const SDL_PixelFormat* f = surface->format;
  sdl.FillRect(surface, nullptr, sdl.MapRGB(f, 240, 240, 240));
  SDL_Rect target{0, 0, width * zoom, height * zoom};
  const bool shown = sdl.UpperBlitScaled(source, nullptr, surface, &target) == 0;
  sdl.FreeSurface(source);
  return shown && sdl.UpdateWindowSurface(window) == 0;
}

}  // namespace

bool ShowInWindow(SDL_Window* window, std::span<const ColorRef> picture, int width, int height,
                  int zoom) {
  SDL_Surface* surface = sdl.GetWindowSurface(window);
  if (surface == nullptr) return false;
  if (surface->format->BytesPerPixel != 4) {
    return ShowConverted(window, surface, picture, width, height, zoom);
  }
  if (SDL_MUSTLOCK(surface)) sdl.LockSurface(surface);
  Show32(surface, picture, width, height, zoom);
  if (SDL_MUSTLOCK(surface)) sdl.UnlockSurface(surface);
  return sdl.UpdateWindowSurface(window) == 0;
}

}  // namespace brindle
