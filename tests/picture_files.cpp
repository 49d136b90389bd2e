#include "picture_files.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <new>
#include <stdexcept>

namespace brindle::test_pictures {
namespace {

void AppendPng(png_structp png, png_bytep data, size_t size) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + size);
}

[[noreturn]] void PngFailed(png_structp, png_const_charp message) {
  throw std::runtime_error(std::string("libpng: ") + message);
}

int AppendGif(GifFileType* gif, const GifByteType* data, int size) {
  auto* out = static_cast<Bytes*>(gif->UserData);
  out->insert(out->end(), data, data + size);
  return size;
}

// giflib's tables hold a power of two entries.
ColorMapObject* MakeMap(std::vector<GifColorType> colours) {
  if (colours.empty()) return nullptr;
  size_t size = 2;
  while (size < colours.size()) size *= 2;
  colours.resize(size, GifColorType{0, 0, 0});
  return GifMakeMapObject(static_cast<int>(size), colours.data());
}

void Check(bool ok, const char* what) {
  if (!ok) throw std::runtime_error(std::string("giflib: ") + what);
}

size_t AddressSpaceInUse() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmSize:", 0) == 0) return std::stoul(line.substr(7)) * 1024;
  }
  return 0;
}

}  // namespace

// libpng's errors become exceptions here: these encoders only see data made by the tests.
Bytes EncodePng(const PngLayout& layout, const std::vector<Bytes>& rows) {
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, PngFailed, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, AppendPng, nullptr);
  png_set_IHDR(png, info, layout.width, layout.height, layout.bit_depth, layout.color_type,
               layout.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!layout.palette.empty()) {
    png_set_PLTE(png, info, layout.palette.data(), static_cast<int>(layout.palette.size()));
  }
  if (!layout.transparency.empty()) {
    Bytes trns = layout.transparency;
    if (layout.color_type == PNG_COLOR_TYPE_PALETTE) {
      png_set_tRNS(png, info, trns.data(), static_cast<int>(trns.size()), nullptr);
    } else {
      png_color_16 colour{};
      colour.gray = colour.red = static_cast<png_uint_16>(trns[0] << 8 | trns[1]);
      if (trns.size() >= 6) {
        colour.green = static_cast<png_uint_16>(trns[2] << 8 | trns[3]);
        colour.blue = static_cast<png_uint_16>(trns[4] << 8 | trns[5]);
      }
      png_set_tRNS(png, info, nullptr, 0, &colour);
    }
  }
  png_write_info(png, info);
  std::vector<png_bytep> pointers;
  for (const Bytes& row : rows) pointers.push_back(const_cast<png_bytep>(row.data()));
  png_write_image(png, pointers.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

Bytes EncodeJpeg(const JpegLayout& layout, const Bytes& samples) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = layout.width;
  info.image_height = layout.height;
  info.input_components = layout.components;
  info.in_color_space = layout.components == 1   ? JCS_GRAYSCALE
                        : layout.components == 4 ? JCS_CMYK
                                                 : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  if (layout.progressive) jpeg_simple_progression(&info);
  if (!layout.scans.empty()) {
    info.scan_info = layout.scans.data();
    info.num_scans = static_cast<int>(layout.scans.size());
  }
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(samples.data()) +
                   size_t{info.next_scanline} * layout.width * layout.components;
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  Bytes out(buffer, buffer + size);
  free(buffer);
  return out;
}

std::vector<jpeg_scan_info> GreyScans(int count) {
  const auto scan = [](int from, int to, int high, int low) {
    jpeg_scan_info s{};
    s.comps_in_scan = 1;
    s.Ss = from;
    s.Se = to;
    s.Ah = high;
    s.Al = low;
    return s;
  };
  std::vector<jpeg_scan_info> scans = {scan(0, 0, 0, 0)};
  const int refinements = count - 64;
  for (int k = 1; k < 64; ++k) {
    const int bits = refinements / 63 + (k - 1 < refinements % 63 ? 1 : 0);
    scans.push_back(scan(k, k, 0, bits));
    for (int high = bits; high > 0; --high) scans.push_back(scan(k, k, high, high - 1));
  }
  return scans;
}

Bytes EncodeGif(int width, int height, int background, const std::vector<GifColorType>& colours,
                const std::vector<GifFrame>& frames) {
  Bytes out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, AppendGif, &error);
  Check(gif != nullptr, "open");
  EGifSetGifVersion(gif, true);
  ColorMapObject* global = MakeMap(colours);
  Check(EGifPutScreenDesc(gif, width, height, 8, background, global) == GIF_OK, "screen");
  GifFreeMapObject(global);
  for (const GifFrame& frame : frames) {
    if (frame.transparent >= 0) {
      GraphicsControlBlock control{};
      control.TransparentColor = frame.transparent;
      GifByteType block[4];
      EGifGCBToExtension(&control, block);
      Check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, block) == GIF_OK, "control");
    }
    ColorMapObject* local = MakeMap(frame.colours);
    Check(EGifPutImageDesc(gif, frame.left, frame.top, frame.width, frame.height, frame.interlaced,
                           local) == GIF_OK,
          "frame");
    GifFreeMapObject(local);
    std::vector<int> order;
    if (frame.interlaced) {
      for (const auto& [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}}) {
        for (int y = start; y < frame.height; y += step) order.push_back(y);
      }
    } else {
      for (int y = 0; y < frame.height; ++y) order.push_back(y);
    }
    for (const int y : order) {
      Bytes line(frame.indices.begin() + y * frame.width,
                 frame.indices.begin() + (y + 1) * frame.width);
      Check(EGifPutLine(gif, line.data(), frame.width) == GIF_OK, "line");
    }
  }
  Check(EGifCloseFile(gif, &error) == GIF_OK, "close");
  return out;
}

Bytes ReadTestPicture(const std::string& name) {
  std::ifstream in(std::string(BRINDLE_TEST_DIR) + "/pictures/" + name, std::ios::binary);
  if (!in) throw std::runtime_error("no test picture " + name);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool MemoryCapWorks() {
#if defined(__SANITIZE_ADDRESS__)
  return false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  return false;
#else
  return true;
#endif
#else
  return true;
#endif
}

int RunWithMemoryCap(size_t headroom, const std::function<int()>& body) {
  const pid_t child = fork();
  if (child == 0) {
    const rlim_t cap = AddressSpaceInUse() + headroom;
    const rlimit limit{cap, cap};
    int result = 98;
    if (setrlimit(RLIMIT_AS, &limit) == 0) {
      try {
        result = body();
      } catch (const std::bad_alloc&) {
        result = 99;
      }
    }
    _exit(result);
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

}  // namespace brindle::test_pictures
