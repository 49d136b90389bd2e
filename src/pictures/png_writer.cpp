// PNG output through libpng, encoded in memory and then written in one piece.
#include "pictures/png_writer.h"

#include <png.h>

#include <climits>
#include <csetjmp>
#include <new>
#include <vector>

#include "files/file_replace.h"

namespace brindle {
namespace {

struct PngWrite {
  png_structp png = nullptr;
  png_infop info = nullptr;
  std::vector<unsigned char> out;
  std::vector<unsigned char> row;
  bool out_of_memory = false;

  ~PngWrite() { png_destroy_write_struct(&png, &info); }
};

// The callbacks run inside libpng, which reports errors by longjmp: they hold no object with a
// destructor when they call into it.
[[noreturn]] void OnError(png_structp png, png_const_charp) {
  png_longjmp(png, 1);
}
void OnWarning(png_structp, png_const_charp) {}
void OnFlush(png_structp) {}

void Append(png_structp png, png_bytep data, size_t size) {
  auto& write = *static_cast<PngWrite*>(png_get_io_ptr(png));
  try {
    write.out.insert(write.out.end(), data, data + size);
  } catch (const std::bad_alloc&) {
    write.out_of_memory = true;
  }
  if (write.out_of_memory) png_error(png, "out of memory");
}

// libpng's errors longjmp back here; nothing in this function has a destructor to skip.
bool Encode(PngWrite& write, std::span<const ColorRef> pixels, int width, int height) {
  if (setjmp(png_jmpbuf(write.png))) return false;
  png_set_write_fn(write.png, &write, Append, OnFlush);
  png_set_IHDR(write.png, write.info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(write.png, write.info);
  for (int y = 0; y < height; ++y) {
    const ColorRef* source = pixels.data() + static_cast<size_t>(y) * width;
    for (int x = 0; x < width; ++x) {
      write.row[3 * x] = source[x] & 0xFF;
      write.row[3 * x + 1] = (source[x] >> 8) & 0xFF;
      write.row[3 * x + 2] = (source[x] >> 16) & 0xFF;
    }
    png_write_row(write.png, write.row.data());
  }
  png_write_end(write.png, nullptr);
  return true;
}

}  // namespace

bool WritePng(std::span<const ColorRef> pixels, int width, int height, const std::string& path,
              std::string* reason) {
  std::string ignored;
  std::string& why = reason != nullptr ? *reason : ignored;
  if (width <= 0 || height <= 0 || width > INT_MAX / 3 ||
      pixels.size() != static_cast<size_t>(width) * height) {
    why = "no picture to write";
    return false;
  }
  PngWrite write;
  write.row.resize(static_cast<size_t>(width) * 3);
  write.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  if (write.png != nullptr) write.info = png_create_info_struct(write.png);
  const bool encoded = write.info != nullptr && Encode(write, pixels, width, height);
  if (write.out_of_memory) throw std::bad_alloc();
  if (!encoded) {
    why = "cannot encode the picture";
    return false;
  }
  return ReplaceFile(path, write.out, why);
}

}  // namespace brindle
