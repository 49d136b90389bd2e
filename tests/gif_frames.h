// Animated GIFs read back as a viewer shows them: each image drawn over the ones before. A
// frame is the images up to one shown for some time (or the last): brindle stores a frame whose
// colours need several colour tables as several images, all but the last shown for no time.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "canvas/canvas.h"

namespace brindle::testing {

struct ShownFrame {
  int left = 0, top = 0, width = 0, height = 0;  // the part the frame's images cover
  int delay = 0;                                 // hundredths of a second
  int images = 0;
  int disposal = 0;              // of its last image
  int palette_size = 0;          // of its last image's colour table
  std::vector<ColorRef> screen;  // the whole screen once the frame is drawn
};

struct ShownGif {
  bool ok = false;  // false: giflib could not read the file
  int width = 0, height = 0;
  bool loops = false;  // has a NETSCAPE2.0 looping block
  std::vector<ShownFrame> frames;
  int images = 0;
  int TotalDelay() const;
};

// Which frames keep their screen: every frame's, or, for a GIF of thousands of frames (each
// screen is 1.7 MB at the canvas's size), only the last frame's.
enum class Screens { kEvery, kLastOnly };

ShownGif ReadGif(std::span<const unsigned char> file, Screens screens = Screens::kEvery);
ShownGif ReadGifFile(const std::string& path, Screens screens = Screens::kEvery);

}  // namespace brindle::testing
