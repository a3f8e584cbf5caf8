// The player's growable array on the C heap. Elements are moved bytewise when
// the block is reallocated or elements shift, so an element type must hold no
// pointer into itself. The array grows to n + n/4 and gives memory back when
// it is at most half used.
#pragma once
#include <cstdint>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

#include "swf/base/heap_block.h"

namespace swf {

template <class T>
class dyn_array {
 public:
  dyn_array() = default;
  dyn_array(const dyn_array& other) { *this = other; }
  dyn_array(dyn_array&& other) noexcept { swap(other); }
  ~dyn_array() { resize(0); }

  dyn_array& operator=(const dyn_array& other) {
    if (this != &other) {
      resize(other.size_);
      for (int32_t i = 0; i < size_; ++i) data_[i] = other.data_[i];
    }
    return *this;
  }
  dyn_array& operator=(dyn_array&& other) noexcept {
    swap(other);
    return *this;
  }
  void swap(dyn_array& other) noexcept {
    std::swap(data_, other.data_);
    std::swap(size_, other.size_);
    std::swap(capacity_, other.capacity_);
  }

  int32_t size() const { return size_; }
  int32_t capacity() const { return capacity_; }
  bool empty() const { return size_ == 0; }
  T& operator[](int32_t i) { return data_[i]; }
  const T& operator[](int32_t i) const { return data_[i]; }
  T& back() { return data_[size_ - 1]; }
  T* begin() { return data_; }
  T* end() { return data_ + size_; }
  const T* begin() const { return data_; }
  const T* end() const { return data_ + size_; }

  // Sets the capacity; 0 frees the block. A new block starts zero-filled.
  void reserve(int32_t capacity) {
    if (capacity <= 0) {
      heap_free(data_);
      data_ = nullptr;
      capacity_ = 0;
      return;
    }
    if (static_cast<uint64_t>(capacity) * sizeof(T) > kMaxBytes) throw std::bad_alloc();
    const size_t bytes = static_cast<size_t>(capacity) * sizeof(T);
    if (data_) {
      data_ = static_cast<T*>(heap_reallocate(data_, bytes));
    } else {
      data_ = static_cast<T*>(heap_allocate(bytes));
      std::memset(static_cast<void*>(data_), 0, bytes);
    }
    capacity_ = capacity;
  }

  void resize(int32_t n) {
    if (n < 0) n = 0;
    const int32_t old_size = size_;
    for (int32_t i = n; i < old_size; ++i) data_[i].~T();
    if (n < old_size) size_ = n;
    fit_capacity(n);
    for (int32_t i = old_size; i < n; ++i) new (&data_[i]) T();
    size_ = n;
  }

  void push_back(const T& value) {
    T copy(value);  // `value` may live in this array's block
    resize(size_ + 1);
    data_[size_ - 1] = std::move(copy);
  }

  void insert(int32_t index, const T& value) {
    T copy(value);
    const int32_t old_size = size_;
    fit_capacity(old_size + 1);
    std::memmove(static_cast<void*>(data_ + index + 1), static_cast<const void*>(data_ + index),
                 static_cast<size_t>(old_size - index) * sizeof(T));
    new (&data_[index]) T(std::move(copy));
    size_ = old_size + 1;
  }

  void remove(int32_t index) {
    if (size_ == 1) {
      resize(0);
      return;
    }
    data_[index].~T();
    std::memmove(static_cast<void*>(data_ + index), static_cast<const void*>(data_ + index + 1),
                 static_cast<size_t>(size_ - index - 1) * sizeof(T));
    --size_;
  }

  void clear() { resize(0); }

 private:
  static constexpr uint64_t kMaxBytes = 0x7FFFFFFFu;

  // The capacity rule for a size of n: none for 0; n + n/4 when n does not
  // fit or uses at most half of the block.
  void fit_capacity(int32_t n) {
    if (n == 0) {
      reserve(0);
    } else if (capacity_ < n || capacity_ / 2 >= n) {
      const int64_t grown = static_cast<int64_t>(n) + n / 4;
      if (grown > INT32_MAX) throw std::bad_alloc();
      reserve(static_cast<int32_t>(grown));
    }
  }

  T* data_ = nullptr;
  int32_t size_ = 0;
  int32_t capacity_ = 0;
};

}  // namespace swf
