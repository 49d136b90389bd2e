// Puts a picture of ColorRef pixels into an SDL window.
#pragma once

#include <SDL_video.h>

#include <span>

#include "platform/canvas.h"

namespace brindle {

// Shows the width x height picture at the top left of the window, each pixel as zoom x zoom,
// and the button-face colour in the rest of the window; what does not fit is cut off. False
// when the window has no surface to draw on.
bool ShowInWindow(SDL_Window* window, std::span<const ColorRef> picture, int width, int height,
                  int zoom);

}  // namespace brindle
