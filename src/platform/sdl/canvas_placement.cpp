#include "platform/sdl/canvas_placement.h"

#include <algorithm>

#include "canvas/canvas.h"

namespace brindle {
namespace {

// Rounds towards minus infinity, so the pixels left of and above the canvas are -1, not 0.
int FloorDivide(int a, int b) {
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}

}  // namespace

int FittingZoom(int usable_width, int usable_height, int frame_width, int frame_height,
                int max_zoom) {
  for (int zoom = max_zoom; zoom > 1; --zoom) {
    if (Canvas::kWidth * zoom + frame_width <= usable_width &&
        Canvas::kHeight * zoom + frame_height <= usable_height) {
      return zoom;
    }
  }
  return 1;
}

CanvasPlacement WindowPlacement(int zoom) {
  return {0, 0, zoom};
}

CanvasPlacement FullScreenPlacement(int screen_width, int screen_height) {
  const int zoom =
      std::max(1, std::min(screen_width / Canvas::kWidth, screen_height / Canvas::kHeight));
  return {std::max(0, (screen_width - Canvas::kWidth * zoom) / 2),
          std::max(0, (screen_height - Canvas::kHeight * zoom) / 2), zoom};
}

CanvasPoint ToCanvas(const CanvasPlacement& placement, int x, int y) {
  return {FloorDivide(x - placement.x, placement.zoom),
          FloorDivide(y - placement.y, placement.zoom)};
}

}  // namespace brindle
