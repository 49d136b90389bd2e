// Where the canvas goes in the window, and how large: whole factors only, so every canvas pixel
// is a square of screen pixels and lines stay sharp. Also the way back, from where the mouse is
// to a canvas pixel.
#pragma once

namespace brindle {

struct CanvasPlacement {
  int x = 0, y = 0;  // the canvas's top-left corner in the window
  int zoom = 1;      // each canvas pixel as zoom x zoom
};

// The largest zoom, 1 to max_zoom, whose window (the canvas zoomed, with its frame around it)
// fits the usable part of the screen; 1 when none fits.
int FittingZoom(int usable_width, int usable_height, int frame_width, int frame_height,
                int max_zoom);

// In a window: the canvas at the top left.
CanvasPlacement WindowPlacement(int zoom);

// Full screen: the largest whole factor that fits the screen, the canvas centred. On a screen
// smaller than the canvas, factor 1, and along each direction the canvas does not fit it stays
// at the top left with its far part cut off, as in a window made smaller.
CanvasPlacement FullScreenPlacement(int screen_width, int screen_height);

struct CanvasPoint {
  int x = 0, y = 0;
};

// The canvas pixel under window pixel (x, y); beyond the canvas's edges (in the margin around
// it) the coordinates go on past 0 or the canvas's size, rounding down.
CanvasPoint ToCanvas(const CanvasPlacement& placement, int x, int y);

}  // namespace brindle
