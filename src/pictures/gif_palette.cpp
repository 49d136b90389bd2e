#include "pictures/gif_palette.h"

#include <gif_lib.h>

#include <array>
#include <new>

namespace brindle {
namespace {

constexpr size_t kMaxColors = 256;

// An open-addressed set of at most kMaxColors colours, small enough to stay in the cache.
class ColorTable {
 public:
  // The colour's index, added if new; nothing once a 257th colour would be needed.
  std::optional<uint8_t> IndexOf(ColorRef color) {
    // ColorRefs use 24 bits: the top bit marks a taken slot.
    const uint32_t key = color | kTaken;
    size_t slot = (color * 2654435761u) >> (32 - kSlotBits);
    while (slots_[slot].key != 0) {
      if (slots_[slot].key == key) return slots_[slot].index;
      slot = (slot + 1) & (kSlots - 1);
    }
    if (palette_.size() == kMaxColors) return std::nullopt;
    slots_[slot] = {key, static_cast<uint8_t>(palette_.size())};
    palette_.push_back(color);
    return slots_[slot].index;
  }
  std::vector<ColorRef>& palette() { return palette_; }

 private:
  static constexpr uint32_t kTaken = 0x80000000u;
  static constexpr int kSlotBits = 10;
  static constexpr size_t kSlots = size_t{1} << kSlotBits;
  struct Slot {
    uint32_t key = 0;
    uint8_t index = 0;
  };
  std::array<Slot, kSlots> slots_{};
  std::vector<ColorRef> palette_;
};

// Runs of one colour are common (fills, backgrounds), so a run is looked up once. False when
// the table is full before the row's end; the colours added so far stay in it.
bool IndexRow(std::span<const ColorRef> row, ColorTable& table, std::vector<uint8_t>& out) {
  for (size_t i = 0; i < row.size(); ++i) {
    const ColorRef color = row[i] & 0xFFFFFF;
    if (i > 0 && color == (row[i - 1] & 0xFFFFFF)) {
      out.push_back(out.back());
      continue;
    }
    const std::optional<uint8_t> index = table.IndexOf(color);
    if (!index) return false;
    out.push_back(*index);
  }
  return true;
}

}  // namespace

std::optional<std::vector<IndexedBand>> IndexExactly(std::span<const ColorRef> pixels, int width,
                                                     int max_bands) {
  std::vector<IndexedBand> bands;
  std::optional<ColorTable> table;
  const int height = width > 0 ? static_cast<int>(pixels.size() / width) : 0;
  for (int y = 0; y < height; ++y) {
    const std::span<const ColorRef> row = pixels.subspan(static_cast<size_t>(y) * width, width);
    if (table) {
      IndexedPixels& band = bands.back().pixels;
      const size_t before = band.indices.size();
      if (IndexRow(row, *table, band.indices)) {
        ++bands.back().height;
        continue;
      }
      band.indices.resize(before);
      band.palette = std::move(table->palette());
    }
    if (static_cast<int>(bands.size()) == max_bands) return std::nullopt;
    bands.push_back({y, 1, {}});
    table.emplace();
    if (!IndexRow(row, *table, bands.back().pixels.indices)) return std::nullopt;
  }
  if (table) bands.back().pixels.palette = std::move(table->palette());
  return bands;
}

IndexedPixels Quantize(std::span<const ColorRef> pixels) {
  std::vector<GifByteType> red(pixels.size()), green(pixels.size()), blue(pixels.size());
  for (size_t i = 0; i < pixels.size(); ++i) {
    red[i] = pixels[i] & 0xFF;
    green[i] = (pixels[i] >> 8) & 0xFF;
    blue[i] = (pixels[i] >> 16) & 0xFF;
  }
  std::array<GifColorType, kMaxColors> colors{};
  int count = kMaxColors;
  IndexedPixels out;
  out.indices.resize(pixels.size());
  // Its only failure is an allocation that failed.
  if (GifQuantizeBuffer(static_cast<unsigned>(pixels.size()), 1, &count, red.data(), green.data(),
                        blue.data(), out.indices.data(), colors.data()) != GIF_OK) {
    throw std::bad_alloc();
  }
  for (int i = 0; i < count; ++i) {
    out.palette.push_back(RgbColor(colors[i].Red, colors[i].Green, colors[i].Blue));
  }
  if (out.palette.empty()) out.palette.push_back(0);
  return out;
}

}  // namespace brindle
