#include "platform/png_writer.h"

#include <climits>
#include <vector>

#include "platform/file_replace.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>

namespace brindle {
namespace {

void AppendBytes(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<unsigned char>*>(context);
  const auto* bytes = static_cast<const unsigned char*>(data);
  out->insert(out->end(), bytes, bytes + size);
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
  std::vector<unsigned char> rgb;
  rgb.reserve(pixels.size() * 3);
  for (const ColorRef pixel : pixels) {
    rgb.push_back(pixel & 0xFF);
    rgb.push_back((pixel >> 8) & 0xFF);
    rgb.push_back((pixel >> 16) & 0xFF);
  }
  std::vector<unsigned char> png;
  if (stbi_write_png_to_func(AppendBytes, &png, width, height, 3, rgb.data(), width * 3) == 0) {
    why = "cannot encode the picture";
    return false;
  }
  return ReplaceFile(path, png, why);
}

}  // namespace brindle
