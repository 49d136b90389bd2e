// An animated GIF built in memory through giflib: each frame a rectangle drawn over the frames
// before it, with its own colours and how long it is shown.
//
// A frame's colours are exact when they fit in a few colour tables of 256: the rectangle is then
// stored in bands of rows, one image a table, all but the last shown for no time. A frame that
// would need more than kMaxExactBands (a photograph) is one image of 256 colours chosen by
// giflib's quantiser.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "canvas/canvas.h"
#include "pictures/gif_palette.h"

struct GifFileType;

namespace brindle {

struct FrameRect {
  int left = 0, top = 0;
  int width = 0, height = 0;
  bool empty() const { return width <= 0 || height <= 0; }
};

class GifEncoder {
 public:
  // The longest a frame can be shown: the delay field holds 65535 hundredths of a second.
  static constexpr int kMaxDelay = 65535;
  // Viewers that give each image of no delay a least time of their own (web browsers show it
  // for 0.1 s) would slow such frames down: past this many the colours are reduced instead.
  static constexpr int kMaxExactBands = 16;

  // The logical screen; the GIF plays once.
  GifEncoder(int width, int height);
  ~GifEncoder();
  GifEncoder(const GifEncoder&) = delete;
  GifEncoder& operator=(const GifEncoder&) = delete;

  // Adds the rect of picture (screen-sized, row-major) as a frame that later frames are drawn
  // over, shown for delay hundredths of a second (0 to kMaxDelay). False when its colours had
  // to be reduced. When it throws (memory ran out), the frames before are kept and no more may
  // be added.
  bool AddFrame(std::span<const ColorRef> picture, FrameRect rect, int delay);
  // The rect of picture as a frame would hold it: exact, or with its colours reduced.
  bool FitsExactly(std::span<const ColorRef> picture, FrameRect rect) const;
  // Changes how long the last frame is shown.
  void SetLastDelay(int delay);
  // Takes the last frame out again (it made the file too large).
  void DropLastFrame();

  int frames() const { return frames_; }
  size_t size() const { return out_.size(); }
  // The whole file, with its trailer. Nothing more may be added.
  std::vector<unsigned char> Finish();

 private:
  static int Append(GifFileType* gif, const uint8_t* bytes, int length);
  void Check(int result);
  bool AddImages(std::span<const ColorRef> picture, FrameRect rect, int delay);
  std::vector<ColorRef> PixelsOf(std::span<const ColorRef> picture, FrameRect rect) const;
  void AddImage(const FrameRect& rect, IndexedPixels& pixels, int delay);

  int width_, height_;
  GifFileType* gif_ = nullptr;
  std::vector<unsigned char> out_;
  bool out_of_memory_ = false;
  int frames_ = 0;
  size_t last_frame_at_ = 0;  // where the last frame's bytes begin
  size_t last_image_at_ = 0;  // where its last image's bytes begin, which holds its delay
};

}  // namespace brindle
