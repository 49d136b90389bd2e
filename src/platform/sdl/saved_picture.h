// The pictures F12 saves from the window.
#pragma once

#include <ctime>
#include <functional>
#include <optional>
#include <string>

namespace brindle {

// brindle-YYYYMMDD-HHMMSS.png for the local time; when taken is true of that name (a second
// picture within one second), brindle-YYYYMMDD-HHMMSS-2.png, -3 and so on. Nothing when
// kMaxSavedPicturesASecond names are all taken.
constexpr int kMaxSavedPicturesASecond = 100;
std::optional<std::string> SavedPictureName(std::time_t now,
                                            const std::function<bool(const std::string&)>& taken);

}  // namespace brindle
