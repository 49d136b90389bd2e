#include "gif_frames.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

namespace brindle::testing {
namespace {

struct Input {
  std::span<const unsigned char> bytes;
  size_t at = 0;
};

int Read(GifFileType* gif, GifByteType* out, int length) {
  auto& input = *static_cast<Input*>(gif->UserData);
  const size_t n = std::min(static_cast<size_t>(length), input.bytes.size() - input.at);
  std::memcpy(out, input.bytes.data() + input.at, n);
  input.at += n;
  return static_cast<int>(n);
}

void DrawFrame(const SavedImage& image, const ColorMapObject* map, int screen_width,
               ShownFrame& frame) {
  const GifImageDesc& d = image.ImageDesc;
  for (int y = 0; y < d.Height; ++y) {
    for (int x = 0; x < d.Width; ++x) {
      const int index = image.RasterBits[y * d.Width + x];
      const GifColorType c = index < map->ColorCount ? map->Colors[index] : GifColorType{};
      frame.screen[static_cast<size_t>(d.Top + y) * screen_width + d.Left + x] =
          RgbColor(c.Red, c.Green, c.Blue);
    }
  }
}

}  // namespace

int ShownGif::TotalDelay() const {
  int total = 0;
  for (const ShownFrame& frame : frames) total += frame.delay;
  return total;
}

ShownGif ReadGif(std::span<const unsigned char> file, Screens screens) {
  ShownGif out;
  Input input{file};
  int error = 0;
  GifFileType* gif = DGifOpen(&input, Read, &error);
  if (gif == nullptr) return out;
  if (DGifSlurp(gif) == GIF_OK) {
    out.ok = true;
    out.width = gif->SWidth;
    out.height = gif->SHeight;
    std::vector<ColorRef> screen(static_cast<size_t>(out.width) * out.height, 0);
    for (int i = 0; i < gif->ImageCount; ++i) {
      const SavedImage& image = gif->SavedImages[i];
      for (int e = 0; e < image.ExtensionBlockCount; ++e) {
        const ExtensionBlock& block = image.ExtensionBlocks[e];
        if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount >= 11 &&
            std::memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0) {
          out.loops = true;
        }
      }
      GraphicsControlBlock control{};
      DGifSavedExtensionToGCB(gif, i, &control);
      const ColorMapObject* map =
          image.ImageDesc.ColorMap != nullptr ? image.ImageDesc.ColorMap : gif->SColorMap;
      const GifImageDesc& d = image.ImageDesc;
      if (out.frames.empty() || out.frames.back().delay > 0) {
        ShownFrame next;
        next.left = d.Left;
        next.top = d.Top;
        next.width = d.Width;
        next.height = d.Height;
        next.screen = screen;
        if (screens == Screens::kLastOnly && !out.frames.empty()) {
          std::vector<ColorRef>().swap(out.frames.back().screen);
        }
        out.frames.push_back(std::move(next));
      }
      ShownFrame& frame = out.frames.back();
      const int right = std::max(frame.left + frame.width, d.Left + d.Width);
      const int bottom = std::max(frame.top + frame.height, d.Top + d.Height);
      frame.left = std::min(frame.left, d.Left);
      frame.top = std::min(frame.top, d.Top);
      frame.width = right - frame.left;
      frame.height = bottom - frame.top;
      frame.delay = control.DelayTime;
      frame.disposal = control.DisposalMode;
      frame.palette_size = map != nullptr ? map->ColorCount : 0;
      ++frame.images;
      ++out.images;
      if (map != nullptr) DrawFrame(image, map, out.width, frame);
      screen = frame.screen;
    }
  }
  DGifCloseFile(gif, &error);
  return out;
}

ShownGif ReadGifFile(const std::string& path, Screens screens) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                         std::istreambuf_iterator<char>());
  return ReadGif(bytes, screens);
}

}  // namespace brindle::testing
