#include "pictures/gif_recorder.h"

#include <algorithm>
#include <cstring>
#include <span>

namespace brindle {
namespace {

bool SamePixels(std::span<const ColorRef> a, std::span<const ColorRef> b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size_bytes()) == 0;
}

// Hundredths of a second, to the nearest.
int64_t Centiseconds(int64_t ms) {
  return (ms + 5) / 10;
}

FrameRect Union(const FrameRect& a, const FrameRect& b) {
  const int left = std::min(a.left, b.left), top = std::min(a.top, b.top);
  return {left, top, std::max(a.left + a.width, b.left + b.width) - left,
          std::max(a.top + a.height, b.top + b.height) - top};
}

bool Covers(const FrameRect& outer, const FrameRect& inner) {
  return outer.left <= inner.left && outer.top <= inner.top &&
         outer.left + outer.width >= inner.left + inner.width &&
         outer.top + outer.height >= inner.top + inner.height;
}

}  // namespace

GifRecorder::GifRecorder(int width, int height, Limits limits)
    : width_(width), height_(height), limits_(limits), encoder_(width, height) {}

// Pictures are swapped, not copied, from the caller to pending_ and from there to added_: a
// run may show thousands.
void GifRecorder::Show(std::vector<ColorRef>& picture, int64_t time_ms) {
  if (stopped_ || broken_) return;
  if (!pending_.empty()) {
    if (SamePixels(picture, pending_)) return;
    if (time_ms - pending_ms_ >= kMinFrameMs) {
      Emit(time_ms);
      pending_ms_ = time_ms;
    }
  }
  pending_.swap(picture);
  if (picture.size() != pending_.size()) picture.resize(pending_.size());
}

std::vector<unsigned char> GifRecorder::Finish(std::vector<ColorRef> picture, int64_t end_ms) {
  Show(picture, end_ms);
  if (!stopped_ && !broken_ && !pending_.empty()) Emit(end_ms);
  return encoder_.Finish();
}

void GifRecorder::Emit(int64_t end_ms) {
  if (added_.empty()) {
    if (!AddFrame(pending_, {0, 0, width_, height_})) return;
    added_.swap(pending_);
  } else if (const FrameRect rect = ChangedRect(pending_); !rect.empty()) {
    if (!AddFrame(pending_, PuttingRightApproximations(rect))) return;
    added_.swap(pending_);
  }
  ShowUntil(end_ms);
}

FrameRect GifRecorder::ChangedRect(std::span<const ColorRef> picture) const {
  const auto row = [&](std::span<const ColorRef> p, int y) {
    return p.subspan(static_cast<size_t>(y) * width_, width_);
  };
  int top = 0, bottom = height_;
  while (top < bottom && SamePixels(row(picture, top), row(added_, top))) ++top;
  if (top == bottom) return {};
  while (SamePixels(row(picture, bottom - 1), row(added_, bottom - 1))) --bottom;
  int left = width_, right = 0;
  for (int y = top; y < bottom; ++y) {
    const std::span<const ColorRef> now = row(picture, y), before = row(added_, y);
    int l = 0, r = width_;
    while (l < r && now[l] == before[l]) ++l;
    while (r > l && now[r - 1] == before[r - 1]) --r;
    if (l < r) {
      left = std::min(left, l);
      right = std::max(right, r);
    }
  }
  return {left, top, right - left, bottom - top};
}

FrameRect GifRecorder::PuttingRightApproximations(FrameRect changed) const {
  if (approximated_.empty()) return changed;
  const FrameRect whole = Union(changed, approximated_);
  return encoder_.FitsExactly(pending_, whole) ? whole : changed;
}

// A wait longer than the delay field holds goes on in one-pixel frames that change nothing.
void GifRecorder::ShowUntil(int64_t end_ms) {
  int64_t more = Centiseconds(end_ms) - shown_cs_;
  while (more > 0) {
    const int added =
        static_cast<int>(std::min<int64_t>(more, GifEncoder::kMaxDelay - last_delay_));
    if (added > 0) {
      last_delay_ += added;
      encoder_.SetLastDelay(last_delay_);
      shown_cs_ += added;
      more -= added;
    } else if (!AddFrame(added_, {0, 0, 1, 1})) {
      return;
    }
  }
}

bool GifRecorder::AddFrame(std::span<const ColorRef> picture, FrameRect rect) {
  if (encoder_.frames() >= limits_.frames) {
    stopped_ = std::to_string(limits_.frames) + " frames";
    return false;
  }
  // The file stays whole: what was added before is kept when the run ends for want of memory.
  broken_ = true;
  const bool exact = encoder_.AddFrame(picture, rect, 0);
  broken_ = false;
  if (!exact) {
    approximated_ = approximated_.empty() ? rect : Union(approximated_, rect);
  } else if (Covers(rect, approximated_)) {
    approximated_ = {};
  }
  // The trailer byte must fit too.
  if (encoder_.size() + 1 > limits_.bytes) {
    encoder_.DropLastFrame();
    stopped_ = std::to_string(limits_.bytes) + " bytes";
    return false;
  }
  last_delay_ = 0;
  return true;
}

}  // namespace brindle
