#include "platform/sdl/saved_picture.h"

#include <sys/stat.h>

#include <cstdio>

#include "pictures/png_writer.h"
#include "platform/sdl/sdl_platform.h"

namespace brindle {

std::optional<std::string> SavedPictureName(std::time_t now,
                                            const std::function<bool(const std::string&)>& taken) {
  std::tm local{};
  char stamp[32];
  if (localtime_r(&now, &local) == nullptr ||
      std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local) == 0) {
    return std::nullopt;
  }
  const std::string base = std::string("brindle-") + stamp;
  for (int n = 1; n <= kMaxSavedPicturesASecond; ++n) {
    std::string name = base + (n == 1 ? "" : "-" + std::to_string(n)) + ".png";
    if (!taken(name)) return name;
  }
  return std::nullopt;
}

// Said on stderr, like the faults: the window has no place of its own for it.
void SdlPlatform::SavePicture() const {
  const std::optional<std::string> name = SavedPictureName(std::time(nullptr), [](const auto& n) {
    struct stat st;
    return lstat(n.c_str(), &st) == 0;
  });
  if (!name) {
    std::fprintf(stderr, "brindle: cannot save the window's picture: %d pictures this second\n",
                 kMaxSavedPicturesASecond);
    return;
  }
  std::string reason;
  if (WritePng(Screenshot(), Canvas::kWidth, Canvas::kHeight, *name, &reason)) {
    std::fprintf(stderr, "brindle: saved the window's picture as %s\n", name->c_str());
  } else {
    std::fprintf(stderr, "brindle: cannot write %s: %s\n", name->c_str(), reason.c_str());
  }
}

}  // namespace brindle
