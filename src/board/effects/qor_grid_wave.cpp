#include "board/effects/qor_grid_wave.h"

#include <algorithm>

namespace {

// A negative size makes an empty grid.
size_t CellCount(int32_t width, int32_t height) {
  return width > 0 && height > 0 ? static_cast<size_t>(width) * static_cast<size_t>(height) : 0;
}

}  // namespace

QORGridWave::QORGridWave(int32_t width, int32_t height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      started_(CellCount(width, height), 0),
      ended_(CellCount(width, height), 0) {}

QORGridWave::~QORGridWave() = default;

void QORGridWave::Start() {
  for (int32_t x = 0; x < width_; ++x) {
    for (int32_t y = 0; y < height_; ++y) ResetCell(x, y);
  }
}

float QORGridWave::GetDuration() { return 1.0f; }

float QORGridWave::GetDelay(int32_t x, int32_t y) { return GetDuration() * static_cast<float>(x + y) * 0.2f + 1.0f; }

// Delays are asked for every cell on every tick, so a derived wave may let
// them follow state that changes while it runs. A cell whose progress jumps
// past 1 in one tick ends without having started.
bool QORGridWave::Tick(float dt) {
  if (finished_) return false;
  const float duration = GetDuration();
  time_ += dt;
  bool allEnded = true;
  for (int32_t x = 0; x < width_; ++x) {
    for (int32_t y = 0; y < height_; ++y) {
      const size_t i = static_cast<size_t>(x) + static_cast<size_t>(y) * static_cast<size_t>(width_);
      const float f = (1.0f / duration) * (time_ - GetDelay(x, y));
      if (f >= 0.0f && f <= 1.0f) {
        if (!started_[i]) {
          started_[i] = 1;
          OnCellStart(x, y);
        } else {
          OnCellProgress(x, y, f);
        }
      }
      if (f >= 1.0f && !ended_[i]) {
        ended_[i] = 1;
        OnCellEnd(x, y);
      }
      allEnded = allEnded && ended_[i];
    }
  }
  finished_ = allEnded ? 1 : 0;
  return true;
}
