// PNG files through libpng's progressive reader, fed the file from memory piece by piece until
// the last row is in. That reader inflates image data only as each row needs it, and ends the
// stream at the first byte it inflates past the last row: data past the rows the header implies
// is never inflated, however much there is. Every colour type and depth is turned into 8-bit
// RGBA (16-bit samples keep their high byte; no gamma is applied), then laid over black.
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <new>
#include <vector>

#include "pictures/image_decoders.h"

namespace brindle::picture {
namespace {

// The width and height libpng accepts before we check their product.
constexpr png_uint_32 kMaxSide = static_cast<png_uint_32>(Image::kMaxPixels);
// libpng holds a whole chunk before handling it, even one it skips: a larger chunk ends the
// decode. Only IHDR, PLTE, tRNS, IDAT and IEND are read; every other chunk is skipped.
constexpr png_alloc_size_t kMaxChunkBytes = png_alloc_size_t{8} << 20;
constexpr png_uint_32 kMaxKeptChunks = 64;
constexpr size_t kFeedBytes = size_t{64} << 10;
// Deflate cannot shrink data more than this: a 258-byte match costs at least 2 bits.
constexpr uint64_t kMaxDeflateRatio = 1032;

struct PngDecode {
  size_t file_bytes = 0;
  png_structp png = nullptr;
  png_infop info = nullptr;
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  int last_pass = 0;
  bool complete = false;
  bool out_of_memory = false;
  // RGBA bytes while decoding, one ColorRef's room each; then the colours.
  std::vector<ColorRef> pixels;

  ~PngDecode() { png_destroy_read_struct(&png, &info, nullptr); }
};

PngDecode& DecodeOf(png_structp png) {
  return *static_cast<PngDecode*>(png_get_progressive_ptr(png));
}

[[noreturn]] void OnError(png_structp png, png_const_charp) {
  png_longjmp(png, 1);
}
void OnWarning(png_structp, png_const_charp) {}

bool Allocate(PngDecode& d) {
  try {
    d.pixels.assign(static_cast<size_t>(d.width) * d.height, 0);
    return true;
  } catch (const std::bad_alloc&) {
    d.out_of_memory = true;
    return false;
  }
}

// The callbacks below run inside libpng, which reports errors by longjmp: they hold no
// object with a destructor when they call into it.
void OnInfo(png_structp png, png_infop info) {
  PngDecode& d = DecodeOf(png);
  d.width = png_get_image_width(png, info);
  d.height = png_get_image_height(png, info);
  if (!SizeFits(d.width, d.height)) png_error(png, "too many pixels");
  // A file too small to hold the rows the header implies is refused before they are allocated.
  const uint64_t row_bits =
      uint64_t{d.width} * png_get_bit_depth(png, info) * png_get_channels(png, info);
  if (row_bits / 8 * d.height / kMaxDeflateRatio > d.file_bytes) {
    png_error(png, "too little image data");
  }
  png_set_expand(png);  // palettes, grey below 8 bits and tRNS to 8-bit RGB(A)
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
  d.last_pass = png_set_interlace_handling(png) - 1;
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != size_t{4} * d.width) png_error(png, "unexpected row");
  if (!Allocate(d)) png_error(png, "out of memory");
}

void OnRow(png_structp png, png_bytep row, png_uint_32 row_number, int pass) {
  PngDecode& d = DecodeOf(png);
  if (row_number >= d.height) png_error(png, "row out of range");
  if (row != nullptr) {
    png_progressive_combine_row(
        png, reinterpret_cast<png_bytep>(d.pixels.data() + size_t{row_number} * d.width), row);
  }
  if (pass == d.last_pass && row_number == d.height - 1) d.complete = true;
}

// libpng's errors longjmp back here; nothing in this function has a destructor to skip. The
// picture counts when every row came in, whatever went wrong after.
bool Feed(PngDecode& d, Bytes file) {
  if (setjmp(png_jmpbuf(d.png))) return d.complete;
  png_set_user_limits(d.png, kMaxSide, kMaxSide);
  png_set_chunk_malloc_max(d.png, kMaxChunkBytes);
  png_set_chunk_cache_max(d.png, kMaxKeptChunks);
  png_set_keep_unknown_chunks(d.png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
  png_set_progressive_read_fn(d.png, &d, OnInfo, OnRow, nullptr);
  for (size_t at = 0; at < file.size() && !d.complete; at += kFeedBytes) {
    const size_t size = std::min(kFeedBytes, file.size() - at);
    png_process_data(d.png, d.info, const_cast<png_bytep>(file.data() + at), size);
  }
  return d.complete;
}

}  // namespace

Image DecodePng(Bytes file) {
  PngDecode d;
  d.file_bytes = file.size();
  d.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  if (d.png == nullptr) return Image();
  d.info = png_create_info_struct(d.png);
  if (d.info == nullptr) return Image();
  const bool complete = Feed(d, file);
  if (d.out_of_memory) throw std::bad_alloc();
  if (!complete) return Image();
  std::vector<uint8_t> alpha(d.pixels.size());
  for (size_t i = 0; i < d.pixels.size(); ++i) {
    unsigned char rgba[4];
    std::memcpy(rgba, &d.pixels[i], sizeof rgba);
    d.pixels[i] = OverBlack(rgba[0], rgba[1], rgba[2], rgba[3]);
    alpha[i] = rgba[3];
  }
  return Image(static_cast<int>(d.width), static_cast<int>(d.height), std::move(d.pixels),
               std::move(alpha));
}

}  // namespace brindle::picture
