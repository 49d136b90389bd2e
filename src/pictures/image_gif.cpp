// GIF files through giflib, from memory: the records up to the first image are read, and that
// image alone is decoded, however many frames follow. The picture is the whole logical screen.
// The first frame sits at its offset in it; a screen pixel outside the frame takes the
// background colour when the background index is above 0, and is black otherwise. Transparent
// pixels of the frame, and indices past its colour table, are black.
#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "pictures/image_decoders.h"

namespace brindle::picture {
namespace {

struct GifInput {
  Bytes file;
  size_t at = 0;
};

int ReadInput(GifFileType* gif, GifByteType* out, int length) {
  auto& input = *static_cast<GifInput*>(gif->UserData);
  const size_t count =
      std::min(static_cast<size_t>(std::max(length, 0)), input.file.size() - input.at);
  std::memcpy(out, input.file.data() + input.at, count);
  input.at += count;
  return static_cast<int>(count);
}

struct GifClose {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};
using GifFile = std::unique_ptr<GifFileType, GifClose>;

// Reads records up to the first image's descriptor, keeping the transparent index of the last
// graphic control block before it.
bool ReadToFirstImage(GifFileType* gif, int& transparent) {
  for (;;) {
    GifRecordType record = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif, &record) == GIF_ERROR) return false;
    if (record == IMAGE_DESC_RECORD_TYPE) return DGifGetImageDesc(gif) == GIF_OK;
    if (record != EXTENSION_RECORD_TYPE) return false;  // the end, with no image
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) return false;
    GraphicsControlBlock control;
    if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr &&
        DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK) {
      transparent = control.TransparentColor;
    }
    while (block != nullptr) {
      if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) return false;
    }
  }
}

ColorRef Entry(const ColorMapObject& colours, int index) {
  if (index < 0 || index >= colours.ColorCount) return 0;
  const GifColorType& c = colours.Colors[index];
  return RgbColor(c.Red, c.Green, c.Blue);
}

// The rows of an interlaced frame come every 8th from 0, every 8th from 4, every 4th from 2,
// then every 2nd from 1.
std::vector<int> RowOrder(int height, bool interlaced) {
  std::vector<int> rows;
  rows.reserve(height);
  if (!interlaced) {
    for (int y = 0; y < height; ++y) rows.push_back(y);
    return rows;
  }
  for (const auto& [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}}) {
    for (int y = start; y < height; y += step) rows.push_back(y);
  }
  return rows;
}

bool DrawFrame(GifFileType* gif, int transparent, std::vector<ColorRef>& pixels) {
  const GifImageDesc& frame = gif->Image;
  const ColorMapObject* colours = frame.ColorMap != nullptr ? frame.ColorMap : gif->SColorMap;
  if (colours == nullptr) return false;
  if (frame.Width == 0 || frame.Height == 0) return true;
  std::vector<GifPixelType> line(frame.Width);
  for (const int row : RowOrder(frame.Height, frame.Interlace)) {
    if (DGifGetLine(gif, line.data(), frame.Width) == GIF_ERROR) return false;
    ColorRef* out = pixels.data() + static_cast<size_t>(frame.Top + row) * gif->SWidth + frame.Left;
    for (int x = 0; x < frame.Width; ++x) {
      out[x] = line[x] == transparent ? 0 : Entry(*colours, line[x]);
    }
  }
  return true;
}

}  // namespace

Image DecodeGif(Bytes file) {
  GifInput input{file};
  int error = 0;
  GifFile gif(DGifOpen(&input, ReadInput, &error));
  if (!gif || !SizeFits(gif->SWidth, gif->SHeight)) return Image();
  int transparent = NO_TRANSPARENT_COLOR;
  if (!ReadToFirstImage(gif.get(), transparent)) return Image();
  const GifImageDesc& frame = gif->Image;
  if (frame.Left < 0 || frame.Top < 0 || frame.Width < 0 || frame.Height < 0 ||
      frame.Left + frame.Width > gif->SWidth || frame.Top + frame.Height > gif->SHeight) {
    return Image();
  }
  const int background = gif->SBackGroundColor;
  const ColorRef fill =
      background > 0 && gif->SColorMap != nullptr ? Entry(*gif->SColorMap, background) : 0;
  std::vector<ColorRef> pixels(static_cast<size_t>(gif->SWidth) * gif->SHeight, fill);
  if (!DrawFrame(gif.get(), transparent, pixels)) return Image();
  return Image(gif->SWidth, gif->SHeight, std::move(pixels));
}

}  // namespace brindle::picture
