#include "pictures/gif_encoder.h"

#include <gif_lib.h>

#include <memory>
#include <new>
#include <stdexcept>
#include <string>

namespace brindle {
namespace {

// A graphic control extension as EGifPutExtension writes it: introducer, label, block size,
// then the packed fields, the delay (two bytes, least significant first), ...
constexpr size_t kDelayOffset = 4;

struct FreeMap {
  void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

// giflib takes colour tables of 2, 4, ... 256 entries.
std::unique_ptr<ColorMapObject, FreeMap> ColorMap(const std::vector<ColorRef>& palette) {
  int size = 2;
  while (size < static_cast<int>(palette.size())) size *= 2;
  std::vector<GifColorType> colors(size);
  for (size_t i = 0; i < palette.size(); ++i) {
    colors[i] = {static_cast<GifByteType>(palette[i] & 0xFF),
                 static_cast<GifByteType>((palette[i] >> 8) & 0xFF),
                 static_cast<GifByteType>((palette[i] >> 16) & 0xFF)};
  }
  std::unique_ptr<ColorMapObject, FreeMap> map(GifMakeMapObject(size, colors.data()));
  if (map == nullptr) throw std::bad_alloc();
  return map;
}

}  // namespace

GifEncoder::GifEncoder(int width, int height) : width_(width), height_(height) {
  int error = 0;
  gif_ = EGifOpen(this, Append, &error);
  if (gif_ == nullptr) throw std::bad_alloc();
  EGifSetGifVersion(gif_, true);
  Check(EGifPutScreenDesc(gif_, width, height, 8, 0, nullptr));
}

GifEncoder::~GifEncoder() {
  if (gif_ != nullptr) {
    int error = 0;
    EGifCloseFile(gif_, &error);
  }
}

// Called by giflib, which is C: nothing may be thrown through it.
int GifEncoder::Append(GifFileType* gif, const uint8_t* bytes, int length) {
  auto& encoder = *static_cast<GifEncoder*>(gif->UserData);
  try {
    encoder.out_.insert(encoder.out_.end(), bytes, bytes + length);
  } catch (const std::bad_alloc&) {
    encoder.out_of_memory_ = true;
    return 0;
  }
  return length;
}

// giflib fails only when our output or its allocations fail, both for want of memory.
void GifEncoder::Check(int result) {
  if (result == GIF_OK) return;
  if (out_of_memory_ || gif_->Error == E_GIF_ERR_NOT_ENOUGH_MEM) throw std::bad_alloc();
  throw std::logic_error("giflib: " + std::string(GifErrorString(gif_->Error)));
}

bool GifEncoder::AddFrame(std::span<const ColorRef> picture, FrameRect rect, int delay) {
  last_frame_at_ = out_.size();
  bool exact = false;
  try {
    exact = AddImages(picture, rect, delay);
  } catch (...) {
    out_.resize(last_frame_at_);
    throw;
  }
  ++frames_;
  return exact;
}

std::vector<ColorRef> GifEncoder::PixelsOf(std::span<const ColorRef> picture,
                                           FrameRect rect) const {
  std::vector<ColorRef> pixels;
  pixels.reserve(static_cast<size_t>(rect.width) * rect.height);
  for (int y = rect.top; y < rect.top + rect.height; ++y) {
    const ColorRef* row = picture.data() + static_cast<size_t>(y) * width_ + rect.left;
    pixels.insert(pixels.end(), row, row + rect.width);
  }
  return pixels;
}

bool GifEncoder::FitsExactly(std::span<const ColorRef> picture, FrameRect rect) const {
  return IndexExactly(PixelsOf(picture, rect), rect.width, kMaxExactBands).has_value();
}

bool GifEncoder::AddImages(std::span<const ColorRef> picture, FrameRect rect, int delay) {
  const std::vector<ColorRef> pixels = PixelsOf(picture, rect);
  if (auto bands = IndexExactly(pixels, rect.width, kMaxExactBands)) {
    for (IndexedBand& band : *bands) {
      const bool last = &band == &bands->back();
      AddImage({rect.left, rect.top + band.top, rect.width, band.height}, band.pixels,
               last ? delay : 0);
    }
    return true;
  }
  IndexedPixels reduced = Quantize(pixels);
  AddImage(rect, reduced, delay);
  return false;
}

// giflib takes the rows as writable (it masks them to the table's size in place).
void GifEncoder::AddImage(const FrameRect& rect, IndexedPixels& pixels, int delay) {
  last_image_at_ = out_.size();
  const GraphicsControlBlock control{DISPOSE_DO_NOT, false, delay, NO_TRANSPARENT_COLOR};
  GifByteType extension[4];
  const size_t length = EGifGCBToExtension(&control, extension);
  Check(EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension));
  Check(EGifPutImageDesc(gif_, rect.left, rect.top, rect.width, rect.height, false,
                         ColorMap(pixels.palette).get()));
  for (int y = 0; y < rect.height; ++y) {
    Check(
        EGifPutLine(gif_, pixels.indices.data() + static_cast<size_t>(y) * rect.width, rect.width));
  }
}

void GifEncoder::SetLastDelay(int delay) {
  out_[last_image_at_ + kDelayOffset] = delay & 0xFF;
  out_[last_image_at_ + kDelayOffset + 1] = (delay >> 8) & 0xFF;
}

void GifEncoder::DropLastFrame() {
  out_.resize(last_frame_at_);
  --frames_;
}

std::vector<unsigned char> GifEncoder::Finish() {
  int error = 0;
  const int result = EGifCloseFile(gif_, &error);
  gif_ = nullptr;
  if (result != GIF_OK) {
    if (out_of_memory_ || error == E_GIF_ERR_NOT_ENOUGH_MEM) throw std::bad_alloc();
    throw std::logic_error("giflib: " + std::string(GifErrorString(error)));
  }
  return std::move(out_);
}

}  // namespace brindle
