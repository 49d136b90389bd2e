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
            const CanvasPlacement& place, ColorRef backdrop) {
  const PixelPacker pack(*surface->format);
  const int zoom = place.zoom;
  const int64_t shown_right =
      std::min<int64_t>(int64_t{place.x} + int64_t{width} * zoom, surface->w);
  const int left = std::min(place.x, surface->w), right = static_cast<int>(shown_right);
  const std::vector<uint32_t> blank(static_cast<size_t>(surface->w), pack(backdrop));
  std::vector<uint32_t> row = blank;
  int row_made_of = -1;  // the source row that row shows
  auto* target = static_cast<uint8_t*>(surface->pixels);
  for (int y = 0; y < surface->h; ++y) {
    const int64_t zoomed_y = int64_t{y} - place.y;
    const int source_y = zoomed_y >= 0 ? static_cast<int>(zoomed_y / zoom) : -1;
    const bool on_canvas = source_y >= 0 && source_y < height;
    // A zoomed row is made once and copied to the rows below it.
    if (on_canvas && source_y != row_made_of) {
      const ColorRef* source = picture.data() + static_cast<size_t>(source_y) * width;
      if (zoom == 1) {
        for (int x = left; x < right; ++x) row[x] = pack(source[x - place.x]);
      } else {
        for (int x = left; x < right; ++x) row[x] = pack(source[(x - place.x) / zoom]);
      }
      row_made_of = source_y;
    }
    std::memcpy(target + static_cast<size_t>(y) * surface->pitch,
                on_canvas ? row.data() : blank.data(), row.size() * 4);
  }
}

// Formats other than 32 bits a pixel: SDL converts and scales.
bool ShowConverted(SDL_Window* window, SDL_Surface* surface, std::span<const ColorRef> picture,
                   int width, int height, const CanvasPlacement& place, ColorRef backdrop) {
  SDL_Surface* source =
      sdl.CreateRGBSurfaceWithFormatFrom(const_cast<ColorRef*>(picture.data()), width, height, 32,
                                         width * 4, SDL_PIXELFORMAT_XBGR8888);
  if (source == nullptr) return false;
  const SDL_PixelFormat* f = surface->format;
  sdl.FillRect(surface, nullptr,
               sdl.MapRGB(f, backdrop & 0xFF, (backdrop >> 8) & 0xFF, (backdrop >> 16) & 0xFF));
  SDL_Rect target{place.x, place.y, width * place.zoom, height * place.zoom};
  const bool shown = sdl.UpperBlitScaled(source, nullptr, surface, &target) == 0;
  sdl.FreeSurface(source);
  return shown && sdl.UpdateWindowSurface(window) == 0;
}

}  // namespace

bool ShowInWindow(SDL_Window* window, std::span<const ColorRef> picture, int width, int height,
                  const CanvasPlacement& placement, ColorRef backdrop) {
  SDL_Surface* surface = sdl.GetWindowSurface(window);
  if (surface == nullptr) return false;
  if (surface->format->BytesPerPixel != 4) {
    return ShowConverted(window, surface, picture, width, height, placement, backdrop);
  }
  if (SDL_MUSTLOCK(surface)) sdl.LockSurface(surface);
  Show32(surface, picture, width, height, placement, backdrop);
  if (SDL_MUSTLOCK(surface)) sdl.UnlockSurface(surface);
  return sdl.UpdateWindowSurface(window) == 0;
}

}  // namespace brindle
