// A pointer that does not keep its target alive but knows when it is gone.
#pragma once
#include "swf/base/counted_object.h"

namespace swf {

template <class T>
class weak_handle {
 public:
  weak_handle() = default;
  explicit weak_handle(T* target) { *this = target; }
  weak_handle(const weak_handle& other) { *this = other; }
  ~weak_handle() { drop_token(); }

  weak_handle& operator=(T* target) {
    life_token* token = target ? target->get_life_token() : nullptr;
    if (token) token->take_ref();
    drop_token();
    target_ = target;
    token_ = token;
    return *this;
  }
  weak_handle& operator=(const weak_handle& other) {
    if (this != &other) {
      if (other.token_) other.token_->take_ref();
      drop_token();
      target_ = other.target_;
      token_ = other.token_;
    }
    return *this;
  }

  // The target while it lives, else null.
  T* get() const { return token_ && token_->alive ? target_ : nullptr; }

 private:
  void drop_token() {
    if (token_) token_->release_ref();
    token_ = nullptr;
  }
  T* target_ = nullptr;
  life_token* token_ = nullptr;
};

}  // namespace swf
