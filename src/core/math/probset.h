// A weighted pick of an index: each index is drawn with a probability in
// proportion to its weight. The owner writes the weights and their total.
#pragma once
#include <vector>

namespace num {

class ProbSet {
 public:
  explicit ProbSet(unsigned count) : weights(count, 0.0f) {}

  // Draws from the shared generator; nothing is drawn when the total is 0.
  unsigned Pick() const;
  // The index a draw in [0, total] lands on: the first whose running sum of
  // weights reaches the draw, else the last. 0 for an empty set.
  unsigned IndexOf(float draw) const;

  float total = 0.0f;
  std::vector<float> weights;
};

}  // namespace num
