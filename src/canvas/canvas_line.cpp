// Lines as the Windows cosmetic pen draws them: one pixel per step along the axis that changes
// most, the end point left out. Where the ideal line passes exactly halfway between two pixels,
// the one with the smaller minor coordinate is taken whichever way the line runs; that is how
// Windows makes the line from A to B set the same pixels as the line from B to A, apart from
// the end point each leaves out.
#include <algorithm>
#include <cstdlib>

#include "canvas/canvas.h"

namespace brindle {
namespace {

// floor(n / d) for d > 0.
__int128 FloorDiv(__int128 n, __int128 d) {
  __int128 q = n / d;
  if (n % d != 0 && n < 0) --q;
  return q;
}

}  // namespace

void Canvas::DrawLine(int x1, int y1, int x2, int y2, ColorRef pen) {
  const int64_t dx = int64_t{x2} - x1, dy = int64_t{y2} - y1;
  if (dx == 0 && dy == 0) return;
  // A diagonal counts as y-major; it has no ties, so either choice gives the same pixels.
  if (std::llabs(dx) > std::llabs(dy)) {
    DrawLineAlongMajor<true>(x1, y1, x2, y2, pen);
  } else {
    DrawLineAlongMajor<false>(y1, x1, y2, x2, pen);
  }
}

// Step t (0 <= t < length) sets the pixel at major1 + t * major_step and
// minor1 + n(t) * minor_step, where n(t) is t * minor_len / length rounded to the nearest
// integer, halves going towards the smaller minor coordinate:
//   n(t) = floor((2 * t * minor_len + length - 1 + bias) / (2 * length)),
// bias 1 when the minor coordinate falls (rounding half up then means going towards smaller).
// Only the steps whose major coordinate is on the canvas are walked, so a line with end points
// near the int limits costs no more than one across the canvas.
template <bool kXMajor>
void Canvas::DrawLineAlongMajor(int64_t major1, int64_t minor1, int64_t major2, int64_t minor2,
                                ColorRef pen) {
  const int64_t major_limit = kXMajor ? kWidth : kHeight;
  const int64_t minor_limit = kXMajor ? kHeight : kWidth;
  const int64_t length = std::llabs(major2 - major1);
  const int64_t minor_len = std::llabs(minor2 - minor1);
  const int64_t major_step = major2 > major1 ? 1 : -1;
  const int64_t minor_step = minor2 > minor1 ? 1 : -1;
  const int64_t bias = minor_step < 0 ? 1 : 0;

  // Steps t whose major coordinate lies in [0, major_limit).
  int64_t t_first, t_last;
  if (major_step > 0) {
    t_first = std::max<int64_t>(0, -major1);
    t_last = std::min(length - 1, major_limit - 1 - major1);
  } else {
    t_first = std::max<int64_t>(0, major1 - (major_limit - 1));
    t_last = std::min(length - 1, major1);
  }
  if (t_first > t_last) return;

  const int64_t denominator = 2 * length;
  const __int128 numerator = __int128{2} * t_first * minor_len + length - 1 + bias;
  int64_t n = static_cast<int64_t>(FloorDiv(numerator, denominator));
  int64_t remainder = static_cast<int64_t>(numerator - __int128{n} * denominator);
  int64_t major = major1 + t_first * major_step;
  int64_t minor = minor1 + n * minor_step;
  ColorRef* const pixels = pixels_.get();
  const ColorRef color = Encode(pen);
  for (int64_t t = t_first; t <= t_last; ++t) {
    if (minor >= 0 && minor < minor_limit) {
      pixels[kXMajor ? minor * kWidth + major : major * kWidth + minor] = color;
    }
    major += major_step;
    remainder += 2 * minor_len;
    if (remainder >= denominator) {
      remainder -= denominator;
      minor += minor_step;
    }
  }
}

}  // namespace brindle
