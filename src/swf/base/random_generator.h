// The player's random numbers: a complementary multiply-with-carry generator
// of lag 8.
#pragma once
#include <cstdint>

namespace swf {

class random_generator {
 public:
  random_generator();
  void seed(uint32_t s);
  uint32_t next();

 private:
  uint32_t q_[8];
  uint32_t carry_ = 362436;
  int index_ = 7;
};

// The next number of the one process-wide generator.
uint32_t next_random();

}  // namespace swf
