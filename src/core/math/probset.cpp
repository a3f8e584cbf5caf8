#include "core/math/probset.h"

#include "core/math/random.h"

namespace num {

unsigned ProbSet::Pick() const { return IndexOf(GetRandom().Range(0.0f, total)); }

unsigned ProbSet::IndexOf(float draw) const {
  if (weights.empty()) return 0;
  for (unsigned i = 0; i < weights.size(); ++i) {
    draw -= weights[i];
    if (draw <= 0.0f) return i;
  }
  return static_cast<unsigned>(weights.size() - 1);
}

}  // namespace num
