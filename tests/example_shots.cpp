#include "example_shots.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;

namespace brindle::testing {

Shot RunExample(const std::string& name, bool with_events) {
  const fs::path examples = fs::path(BRINDLE_SOURCE_DIR) / "examples";
  const fs::path png = TempPath("brindle-example-" + name + ".png");
  std::vector<std::string> args = {"--headless", "--screenshot", png.string()};
  if (with_events) args.insert(args.end(), {"--events", name + ".events"});
  args.push_back(name + ".bas");
  Shot shot;
  shot.run = RunBrindle(args, examples.string());
  shot.image = Image::Load(png.string());
  fs::remove(png);
  return shot;
}

ColorRef Rgb(int r, int g, int b) {
  return RgbColor(r, g, b);
}

int CountNear(const Image& image, int x, int y, int w, int h, ColorRef color) {
  int hits = 0;
  for (int yy = y; yy < y + h; ++yy) {
    for (int xx = x; xx < x + w; ++xx) {
      const ColorRef p = image.Pixel(xx, yy);
      bool near = true;
      for (int shift = 0; shift < 24; shift += 8) {
        near &= std::abs(static_cast<int>((p >> shift) & 255) -
                         static_cast<int>((color >> shift) & 255)) <= 40;
      }
      hits += near;
    }
  }
  return hits;
}

std::vector<std::string> LinesAfterCounts(const std::string& out) {
  std::vector<std::string> lines;
  std::istringstream in(out);
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

}  // namespace brindle::testing
