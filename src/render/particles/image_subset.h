// A grid of texture cells over one image (columns x rows), for animated
// particles; cell (c, r) is Cell(c + r x columns).
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

struct ImageCell {
  float left, top, right, bottom;  // u, v, u, v
};

class ImageSubset {
 public:
  ImageSubset(uint16_t columns, uint16_t rows, float frameTime);

  uint16_t GetColumns() const { return columns_; }
  uint16_t GetRows() const { return rows_; }
  uint16_t GetCellCount() const { return cellCount_; }
  float GetFrameTime() const { return frameTime_; }
  // Null past the last cell.
  const ImageCell* Cell(uint32_t index) const { return index < cells_.size() ? &cells_[index] : nullptr; }

 private:
  std::vector<ImageCell> cells_;
  uint16_t columns_;
  uint16_t rows_;
  uint16_t cellCount_;
  float frameTime_;
};
