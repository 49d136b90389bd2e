// JPEG files through libjpeg-turbo, from memory. A corrupt stream is refused, not patched up:
// libjpeg's warnings (data missing, bad codes, a bogus progression) end the decode like its
// errors. The pixel count is checked before the library allocates for the picture, its own
// memory is capped, and a progressive file is stopped after kMaxJpegScans scans, each of which can
// cost a pass over every block of the picture.
// clang-format off
#include <cstdio>  // before jpeglib.h, which uses FILE
#include <jpeglib.h>
// clang-format on

#include <csetjmp>
#include <vector>

#include "pictures/image_decoders.h"

namespace brindle::picture {
namespace {

// What libjpeg may hold besides our pixels: mainly the coefficients of a progressive or
// multi-scan picture, 2 bytes a sample. That is 96 MiB for Image::kMaxPixels with colour at
// half resolution both ways, as encoders write it by default, and 192 MiB at full resolution,
// which is refused above 22 million pixels or so; the pixels take 128 MiB more at most.
constexpr long kMaxDecoderBytes = 128L << 20;

struct JpegErrors {
  jpeg_error_mgr manager;  // first, so that libjpeg's pointer to it is one to this
  jmp_buf jump;
};

struct JpegDecode {
  jpeg_decompress_struct info{};
  JpegErrors errors{};
  jpeg_progress_mgr progress{};
  bool created = false;
  std::vector<ColorRef> pixels;

  ~JpegDecode() {
    if (created) jpeg_destroy_decompress(&info);
  }
};

// These run inside libjpeg, and leave it by longjmp: they hold no object with a destructor.
[[noreturn]] void Fail(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1);
}

void OnMessage(j_common_ptr info, int level) {
  if (level < 0) Fail(info);  // a warning: the stream is corrupt
}

void Quiet(j_common_ptr) {}

void StopAfterScanLimit(j_common_ptr info) {
  if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxJpegScans) Fail(info);
}

// Adobe writes CMYK inverted, as stb_image and most viewers read it: 255 is no ink.
unsigned Ink(unsigned c, unsigned k) {
  const unsigned t = c * k + 128;
  return (t + (t >> 8)) >> 8;
}

void ConvertRow(const JSAMPLE* row, bool cmyk, ColorRef* out, JDIMENSION width) {
  for (JDIMENSION x = 0; x < width; ++x) {
    if (cmyk) {
      const JSAMPLE* p = row + 4 * x;
      out[x] = RgbColor(Ink(p[0], p[3]), Ink(p[1], p[3]), Ink(p[2], p[3]));
    } else {
      const JSAMPLE* p = row + 3 * x;
      out[x] = RgbColor(p[0], p[1], p[2]);
    }
  }
}

// libjpeg's errors longjmp back here; nothing in this function has a destructor to skip, and
// every allocation of ours in it (the pixels) is made outside libjpeg's calls.
bool Run(JpegDecode& d, Bytes file) {
  d.info.err = jpeg_std_error(&d.errors.manager);
  d.errors.manager.error_exit = Fail;
  d.errors.manager.emit_message = OnMessage;
  d.errors.manager.output_message = Quiet;
  if (setjmp(d.errors.jump)) return false;
  jpeg_create_decompress(&d.info);
  d.created = true;
  d.info.mem->max_memory_to_use = kMaxDecoderBytes;
  d.progress.progress_monitor = StopAfterScanLimit;
  d.info.progress = &d.progress;
  jpeg_mem_src(&d.info, file.data(), static_cast<unsigned long>(file.size()));
  if (jpeg_read_header(&d.info, TRUE) != JPEG_HEADER_OK) return false;
  if (!SizeFits(d.info.image_width, d.info.image_height)) return false;
  const bool cmyk = d.info.jpeg_color_space == JCS_CMYK || d.info.jpeg_color_space == JCS_YCCK;
  d.info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_start_decompress(&d.info);
  const JDIMENSION width = d.info.output_width, height = d.info.output_height;
  if (width != d.info.image_width || height != d.info.image_height ||
      d.info.output_components != (cmyk ? 4 : 3)) {
    return false;
  }
  d.pixels.resize(size_t{width} * height);
  JSAMPARRAY row = (*d.info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&d.info), JPOOL_IMAGE,
                                               width * d.info.output_components, 1);
  while (d.info.output_scanline < height) {
    const JDIMENSION y = d.info.output_scanline;
    if (jpeg_read_scanlines(&d.info, row, 1) != 1) return false;
    ConvertRow(row[0], cmyk, d.pixels.data() + size_t{y} * width, width);
  }
  // The picture is whole: what follows its last scan is not read.
  return true;
}

}  // namespace

Image DecodeJpeg(Bytes file) {
  JpegDecode d;
  if (!Run(d, file)) return Image();
  return Image(static_cast<int>(d.info.output_width), static_cast<int>(d.info.output_height),
               std::move(d.pixels));
}

}  // namespace brindle::picture
