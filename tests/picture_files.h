// Picture files for the decoder tests, made in memory with libpng, libjpeg and giflib or read
// from tests/pictures; and a child process with a cap on its memory, to show that a decode
// stays within a bound.
#pragma once

// clang-format off
#include <cstdio>  // before jpeglib.h, which uses FILE
#include <jpeglib.h>
// clang-format on
#include <gif_lib.h>
#include <png.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace brindle::test_pictures {

using Bytes = std::vector<unsigned char>;

struct PngLayout {
  PngLayout(int width, int height, int color_type = PNG_COLOR_TYPE_RGB, int bit_depth = 8)
      : width(width), height(height), color_type(color_type), bit_depth(bit_depth) {}

  int width = 0;
  int height = 0;
  int color_type = PNG_COLOR_TYPE_RGB;
  int bit_depth = 8;
  bool interlaced = false;
  std::vector<png_color> palette;
  Bytes transparency;  // the tRNS chunk's body, if any
};
// rows[y] holds row y's samples, packed as the PNG stores them.
Bytes EncodePng(const PngLayout& layout, const std::vector<Bytes>& rows);

struct JpegLayout {
  JpegLayout(int width, int height, int components = 3, bool progressive = false)
      : width(width), height(height), components(components), progressive(progressive) {}

  int width = 0;
  int height = 0;
  int components = 3;  // 1 for grey, 4 for CMYK
  bool progressive = false;
  std::vector<jpeg_scan_info> scans;  // a scan script of our own, if not empty
};
// samples: width * height * components bytes, row by row.
Bytes EncodeJpeg(const JpegLayout& layout, const Bytes& samples);
// A valid progression of exactly count scans (64 to 694) for a grey picture: the DC scan, then
// each AC coefficient in a scan of its own, refined bit by bit as far as count needs.
std::vector<jpeg_scan_info> GreyScans(int count);

struct GifFrame {
  GifFrame(int left, int top, int width, int height)
      : left(left), top(top), width(width), height(height) {}

  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool interlaced = false;
  int transparent = -1;
  std::vector<GifColorType> colours;  // a local table, if not empty
  Bytes indices;                      // width * height, row by row from the top
};
Bytes EncodeGif(int width, int height, int background, const std::vector<GifColorType>& colours,
                const std::vector<GifFrame>& frames);

// A file kept in tests/pictures.
Bytes ReadTestPicture(const std::string& name);

// False where a cap on the address space cannot work: under AddressSanitizer, which reserves
// terabytes of it.
bool MemoryCapWorks();
// Runs body in a child process whose address space may grow by at most headroom bytes past
// what it holds when it starts. Gives body's result, 99 if it ran out of memory, or -1 if the
// child did not end normally.
int RunWithMemoryCap(size_t headroom, const std::function<int()>& body);

}  // namespace brindle::test_pictures
