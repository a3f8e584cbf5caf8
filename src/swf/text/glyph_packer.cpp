#include "swf/text/glyph_packer.h"

#include <algorithm>

namespace swf {

void glyph_packer::reset() {
  used_.clear();
  anchors_.assign(1, anchor{0, 0});
}

bool glyph_packer::fits(int x, int y, int width, int height) const {
  if (x + width > kTextureSize || y + height > kTextureSize) return false;
  for (const rect& r : used_) {
    if (x < r.x1 && r.x0 < x + width && y < r.y1 && r.y0 < y + height) return false;
  }
  return true;
}

void glyph_packer::add_anchor(anchor a) {
  // From the end, moved forward past every anchor farther from the corner.
  auto at = anchors_.end();
  while (at != anchors_.begin() && std::min((at - 1)->x, (at - 1)->y) > std::min(a.x, a.y)) --at;
  anchors_.insert(at, a);
}

bool glyph_packer::place(int width, int height, int* x, int* y) {
  for (const anchor& a : anchors_) {
    if (!fits(a.x, a.y, width, height)) continue;
    int left = a.x;
    while (left > 0 && fits(left - 1, a.y, width, height)) --left;
    const int top = a.y;
    const rect cell{left, left + width, top, top + height};
    used_.push_back(cell);
    anchors_.erase(std::remove_if(anchors_.begin(), anchors_.end(),
                                  [&](const anchor& p) {
                                    return cell.x0 <= p.x && p.x < cell.x1 && cell.y0 <= p.y && p.y < cell.y1;
                                  }),
                   anchors_.end());
    add_anchor(anchor{left, top + height});
    add_anchor(anchor{left + width, top});
    *x = left;
    *y = top;
    return true;
  }
  return false;
}

}  // namespace swf
