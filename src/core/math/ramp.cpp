#include "core/math/ramp.h"

#include <algorithm>
#include <cmath>

namespace math {

void Ramp::AddValue(float value, float length) {
  // Written so that a NaN length counts as 0.
  pairs_.emplace_back(value, length > 0.0f ? std::min(length, 1.0f) : 0.0f);
}

void Ramp::Recalc() {
  if (pairs_.empty()) {
    std::fill(std::begin(table_), std::end(table_), 0.0f);
    return;
  }
  // NaN values sort last, keeping the order strict.
  std::sort(pairs_.begin(), pairs_.end(), [](const auto& a, const auto& b) {
    return a.first < b.first || (!std::isnan(a.first) && std::isnan(b.first));
  });
  int index = 0;
  for (size_t i = 0; i < pairs_.size(); ++i) {
    const float value = pairs_[i].first;
    const int n = static_cast<int>(pairs_[i].second * kEntries);
    if (n <= 0) continue;
    const float next = i + 1 < pairs_.size() ? pairs_[i + 1].first : value;
    const float slope = (next - value) / n;
    const int end = std::min(index + n, kEntries);
    for (int k = index; k < end; ++k) table_[k] = value + slope * (k - index);
    index = end;
  }
  std::fill(table_ + index, std::end(table_), pairs_.back().first);
}

float Ramp::GetValue(float x) const {
  // Clamped as a float first so that NaN and huge inputs convert safely.
  const float scaled = x * kEntries;
  if (!(scaled >= 0.0f)) return table_[0];
  return table_[static_cast<int>(std::min(scaled, static_cast<float>(kEntries - 1)))];
}

}  // namespace math
