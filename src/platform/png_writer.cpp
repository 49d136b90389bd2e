#include "platform/png_writer.h"

#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

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

bool WriteFile(const std::vector<unsigned char>& bytes, const std::string& path) {
  const std::string temporary = path + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
      out.close();
      std::remove(temporary.c_str());
      return false;
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (error) std::remove(temporary.c_str());
  return !error;
}

}  // namespace

bool WritePng(const Canvas& canvas, const std::string& path) {
  return WritePng(canvas.pixels(), canvas.width(), canvas.height(), path);
}

bool WritePng(std::span<const ColorRef> pixels, int width, int height, const std::string& path) {
  if (width <= 0 || height <= 0 || width > INT_MAX / 3 ||
      pixels.size() != static_cast<size_t>(width) * height) {
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
    return false;
  }
  return WriteFile(png, path);
}

}  // namespace brindle
