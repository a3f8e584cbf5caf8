#include "swf/base/random_generator.h"

namespace swf {

random_generator::random_generator() { seed(987654321u); }

void random_generator::seed(uint32_t s) {
  uint32_t x = s;
  for (uint32_t& word : q_) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    word = x;
  }
}

uint32_t random_generator::next() {
  index_ = (index_ + 1) & 7;
  const uint64_t t = static_cast<uint64_t>(q_[index_]) * 716514398u + carry_;
  carry_ = static_cast<uint32_t>(t >> 32);
  uint32_t x = static_cast<uint32_t>(t) + carry_;
  if (x < carry_) {
    ++x;
    ++carry_;
  }
  q_[index_] = 0xFFFFFFFEu - x;
  return q_[index_];
}

uint32_t next_random() {
  static random_generator generator;
  return generator.next();
}

}  // namespace swf
