#include "runtime/image_store.h"

#include <limits>

namespace brindle {
namespace {

// Below these, collecting costs more than it saves.
constexpr size_t kFewImages = 64;
constexpr int64_t kFewPixels = int64_t{1} << 24;

int64_t PixelCount(const Image& image) {
  return int64_t{image.width()} * image.height();
}

}  // namespace

bool ImageStore::Fits(const Image& image) const {
  return pixels_ + PixelCount(image) <= max_pixels_;
}

int32_t ImageStore::Add(Image image) {
  if (!Fits(image) || next_handle_ == std::numeric_limits<int32_t>::max()) return 0;
  const int32_t handle = next_handle_++;
  pixels_ += PixelCount(image);
  images_.emplace(handle, std::move(image));
  return handle;
}

const Image* ImageStore::Find(int32_t handle) const {
  const auto found = images_.find(handle);
  return found == images_.end() ? nullptr : &found->second;
}

bool ImageStore::WantsCollect() const {
  return images_.size() > 2 * kept_count_ + kFewImages || pixels_ > 2 * kept_pixels_ + kFewPixels;
}

void ImageStore::Collect(const std::unordered_set<int32_t>& live) {
  for (auto it = images_.begin(); it != images_.end();) {
    if (live.count(it->first) != 0) {
      ++it;
    } else {
      pixels_ -= PixelCount(it->second);
      it = images_.erase(it);
    }
  }
  kept_count_ = images_.size();
  kept_pixels_ = pixels_;
}

}  // namespace brindle
