#include "render/particles/image_subset.h"

ImageSubset::ImageSubset(uint16_t columns, uint16_t rows, float frameTime)
    : columns_(columns),
      rows_(rows),
      cellCount_(static_cast<uint16_t>(columns * rows)),
      frameTime_(frameTime) {
  cells_.resize(static_cast<size_t>(columns) * rows);
  const float across = 1.0f / static_cast<float>(columns);
  const float down = 1.0f / static_cast<float>(rows);
  for (uint16_t r = 0; r < rows; ++r) {
    for (uint16_t c = 0; c < columns; ++c) {
      cells_[c + static_cast<size_t>(r) * columns] = {c * across, r * down, (c + 1) * across, (r + 1) * down};
    }
  }
}
