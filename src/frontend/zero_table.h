// A fixed-size table whose cells start as all-zero bytes, for the per-position tables sized for
// the largest script (kCursorLimit cells, most of them never used by a short script). Its memory
// comes from the system already zero (frontend/zero_arena.h): a page is only touched, and only
// costs the process anything, when a cell on it is first read or written, which keeps start-up
// short. A std::vector would write every cell before the run.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

#include "frontend/zero_arena.h"

namespace brindle {

// T must be trivially copyable, and a T whose bytes are all zero must be T's default value.
template <typename T>
class ZeroTable {
  static_assert(std::is_trivially_copyable_v<T>);

 public:
  ZeroTable() = default;
  explicit ZeroTable(size_t size) : data_(Allocate(size)), size_(size) {}
  ZeroTable(const ZeroTable& other) : ZeroTable(other.size_) {
    if (size_ != 0) std::memcpy(static_cast<void*>(data_), other.data_, size_ * sizeof(T));
  }
  ZeroTable(ZeroTable&& other) noexcept
      : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}
  ZeroTable& operator=(ZeroTable other) noexcept {
    std::swap(data_, other.data_);
    std::swap(size_, other.size_);
    return *this;
  }
  ~ZeroTable() { Release(data_, size_); }

  T& operator[](size_t i) { return data_[i]; }
  const T& operator[](size_t i) const { return data_[i]; }
  size_t size() const { return size_; }
  T* data() { return data_; }
  const T* data() const { return data_; }
  T* begin() { return data_; }
  T* end() { return data_ + size_; }
  const T* begin() const { return data_; }
  const T* end() const { return data_ + size_; }

 private:
#if defined(__SANITIZE_ADDRESS__)
  // The sanitizer checks the bounds of heap blocks, not of mapped pages.
  static constexpr bool kMapped = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  static constexpr bool kMapped = false;
#else
  static constexpr bool kMapped = true;
#endif
#else
  static constexpr bool kMapped = true;
#endif

  static T* Allocate(size_t size) {
    if (size == 0) return nullptr;
    void* p = kMapped ? TakeZeroBlock(size * sizeof(T)) : std::calloc(size, sizeof(T));
    if (p == nullptr) throw std::bad_alloc();
    return static_cast<T*>(p);
  }
  static void Release(T* data, size_t size) {
    if (data == nullptr) return;
    if constexpr (kMapped) {
      GiveZeroBlock(data, size * sizeof(T));
    } else {
      std::free(data);
    }
  }

  T* data_ = nullptr;
  size_t size_ = 0;
};

}  // namespace brindle
