// The pictures LOADIMG has loaded, by handle. Handles count up from 1 and are never handed out
// twice; a picture that no handle stored anywhere can reach any more is freed, so a script
// that loads pictures in a loop keeps only the ones it can still draw.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>

#include "pictures/image.h"

namespace brindle {

class ImageStore {
 public:
  // All pictures held together: eight of the largest, a gigabyte.
  static constexpr int64_t kMaxHeldPixels = 8 * Image::kMaxPixels;

  explicit ImageStore(int64_t max_pixels = kMaxHeldPixels) : max_pixels_(max_pixels) {}

  // The new picture's handle, or 0 (no picture) when it does not fit or handles have run out.
  int32_t Add(Image image);
  bool Fits(const Image& image) const;
  // Nothing for a handle never handed out or freed.
  const Image* Find(int32_t handle) const;

  // True when enough has been loaded since the last Collect that it is worth its cost: the
  // pictures held have doubled, in number or in pixels, and are more than a few.
  bool WantsCollect() const;
  // Frees every picture whose handle is not in live.
  void Collect(const std::unordered_set<int32_t>& live);

  size_t size() const { return images_.size(); }

 private:
  int64_t max_pixels_;
  std::unordered_map<int32_t, Image> images_;
  int32_t next_handle_ = 1;
  int64_t pixels_ = 0;
  size_t kept_count_ = 0;  // what the last Collect kept
  int64_t kept_pixels_ = 0;
};

}  // namespace brindle
