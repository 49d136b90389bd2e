// An animated GIF of what a window shows over time: one frame for each change of its picture,
// each frame shown until the next change. Only the changed rectangle of a frame is stored.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "canvas/canvas.h"
#include "pictures/gif_encoder.h"

namespace brindle {

class GifRecorder {
 public:
  // Pictures that follow each other more closely are merged: the later replaces the earlier.
  static constexpr int64_t kMinFrameMs = 20;
  struct Limits {
    int frames = 10000;
    size_t bytes = size_t{64} << 20;
  };

  // Pictures of width x height ColorRefs. The recording starts at time 0.
  GifRecorder(int width, int height, Limits limits);
  GifRecorder(int width, int height) : GifRecorder(width, height, Limits{}) {}

  // The window shows picture from time_ms on (milliseconds, never less than before). The
  // pixels are taken: picture is left with storage of the same size, to be filled again.
  void Show(std::vector<ColorRef>& picture, int64_t time_ms);
  // Ends the recording: picture is shown from end_ms on, the end. The GIF file.
  std::vector<unsigned char> Finish(std::vector<ColorRef> picture, int64_t end_ms);

  // Once a limit has been reached no more frames are added (the GIF ends there): why, as
  // "NUMBER frames" or "NUMBER bytes"; nothing while recording goes on.
  const std::optional<std::string>& stopped() const { return stopped_; }

 private:
  // Adds the pending picture, shown until end_ms.
  void Emit(int64_t end_ms);
  // The rectangle where picture differs from the last frame added.
  FrameRect ChangedRect(std::span<const ColorRef> picture) const;
  // Makes the frames added so far last until end_ms, in hundredths of a second rounded so
  // that rounding errors do not add up.
  void ShowUntil(int64_t end_ms);
  bool AddFrame(std::span<const ColorRef> picture, FrameRect rect);
  // The changed rect, grown to take in what earlier frames showed with reduced colours when
  // the whole can be shown exactly: an approximation is put right once what caused it is gone.
  FrameRect PuttingRightApproximations(FrameRect changed) const;

  int width_, height_;
  Limits limits_;
  GifEncoder encoder_;
  std::vector<ColorRef> pending_;  // shown from pending_ms_ on, not yet added
  int64_t pending_ms_ = 0;
  std::vector<ColorRef> added_;  // what the frames added so far show together
  FrameRect approximated_;       // around what they show with reduced colours
  int64_t shown_cs_ = 0;         // how long they last together
  int last_delay_ = 0;           // of the last frame added
  std::optional<std::string> stopped_;
  bool broken_ = false;  // a frame could not be added for want of memory
};

}  // namespace brindle
