// Finds room for glyph cells in one 256 x 256 texture: cells go to the first
// anchor point (kept nearest the top-left corner first) where they overlap no
// cell placed before, then slide left as far as they still fit.
#pragma once
#include <cstdint>
#include <vector>

namespace swf {

class glyph_packer {
 public:
  static constexpr int kTextureSize = 256;

  // An empty texture with one anchor at its corner.
  void reset();
  // Places a cell of width x height; false when no anchor takes it.
  bool place(int width, int height, int* x, int* y);

 private:
  struct rect {
    int x0, x1, y0, y1;  // x1 and y1 exclusive
  };
  struct anchor {
    int x, y;
  };
  bool fits(int x, int y, int width, int height) const;
  void add_anchor(anchor a);

  std::vector<rect> used_;
  std::vector<anchor> anchors_;  // ascending by min(x, y)
};

}  // namespace swf
