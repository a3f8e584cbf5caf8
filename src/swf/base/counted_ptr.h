// An owning pointer to a counted object: holds one reference to its target.
#pragma once
#include <utility>

#include "swf/base/counted_object.h"

namespace swf {

template <class T>
class counted_ptr {
 public:
  counted_ptr() = default;
  counted_ptr(T* target) : target_(target) {  // NOLINT: taking a raw pointer keeps a reference
    if (target_) target_->take_ref();
  }
  counted_ptr(const counted_ptr& other) : counted_ptr(other.target_) {}
  counted_ptr(counted_ptr&& other) noexcept : target_(other.target_) { other.target_ = nullptr; }
  ~counted_ptr() {
    if (target_) release_ref(target_);
  }

  counted_ptr& operator=(T* target) {
    if (target != target_) {
      if (target) target->take_ref();
      T* old = target_;
      target_ = target;
      if (old) release_ref(old);
    }
    return *this;
  }
  counted_ptr& operator=(const counted_ptr& other) { return *this = other.target_; }
  counted_ptr& operator=(counted_ptr&& other) noexcept {
    std::swap(target_, other.target_);
    return *this;
  }

  T* get() const { return target_; }
  T* operator->() const { return target_; }
  T& operator*() const { return *target_; }
  explicit operator bool() const { return target_ != nullptr; }
  bool operator==(const counted_ptr& other) const { return target_ == other.target_; }
  bool operator!=(const counted_ptr& other) const { return target_ != other.target_; }

 private:
  T* target_ = nullptr;
};

}  // namespace swf
