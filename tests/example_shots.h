// Runs a bundled example headless, as its test sees it: the transcript and the final picture.
#pragma once

#include <string>
#include <vector>

#include "pictures/image.h"
#include "run_brindle.h"

namespace brindle::testing {

struct Shot {
  ProcessResult run;
  Image image;
};

// Runs examples/NAME.bas from the examples folder, with examples/NAME.events as its timeline
// when asked, and loads its screenshot.
Shot RunExample(const std::string& name, bool with_events = false);

ColorRef Rgb(int r, int g, int b);

// Pixels within the box whose colour is within 40 of the colour in each channel (text is
// drawn with smoothed edges).
int CountNear(const Image& image, int x, int y, int w, int h, ColorRef color);

// The transcript's lines after the first, the tokenizer's counts (which change with every
// edit of a script).
std::vector<std::string> LinesAfterCounts(const std::string& out);

}  // namespace brindle::testing
