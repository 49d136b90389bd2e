// A note over a picture of the canvas: a small label, black on pale yellow, beside a point
// (a debugger's answer about the pixel there). The picture itself is left as it is elsewhere.
#pragma once

#include <span>
#include <string_view>

#include "canvas/canvas.h"

namespace brindle {

// picture: kWidth x kHeight ColorRefs. The label sits below and right of the point, moved in
// to stay whole on the picture, and a small cross marks the point.
void DrawNote(std::span<ColorRef> picture, int x, int y, std::string_view text);

}  // namespace brindle
