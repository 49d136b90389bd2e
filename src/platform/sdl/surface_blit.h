// Puts a picture of ColorRef pixels into an SDL window.
#pragma once

#include <SDL_video.h>

#include <span>

#include "canvas/canvas.h"
#include "platform/sdl/canvas_placement.h"

namespace brindle {

// Shows the width x height picture where placement puts it, each pixel as zoom x zoom, and the
// backdrop colour in the rest of the window; what does not fit is cut off. False when the
// window has no surface to draw on.
bool ShowInWindow(SDL_Window* window, std::span<const ColorRef> picture, int width, int height,
                  const CanvasPlacement& placement, ColorRef backdrop = kButtonFace);

}  // namespace brindle
