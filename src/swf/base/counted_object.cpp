#include "swf/base/counted_object.h"

namespace swf {

void life_token::release_ref() {
  if (--ref_count <= 0) delete this;
}

counted_object::~counted_object() {
  if (life_token_) {
    life_token_->alive = false;
    life_token_->release_ref();
  }
}

life_token* counted_object::get_life_token() {
  if (!life_token_) life_token_ = new life_token;
  return life_token_;
}

void release_ref(counted_object* object) {
  if (--object->ref_count_ > 0 || object->dying_) return;
  object->dying_ = true;
  object->ref_count_ = 1;  // held through on_last_release
  object->on_last_release();
  if (--object->ref_count_ > 0) {
    object->dying_ = false;
    return;
  }
  delete object;
}

}  // namespace swf
