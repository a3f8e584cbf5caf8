// Integers drawn with a bitmap font of digits: one image holds the ten
// digits, a comma and a colon side by side, and a number file ("Number":
// "Image", "Size", "Coords") says where each cell lies. Plain numbers may be
// grouped by thousands; a clock shows seconds as minutes and seconds.
#pragma once
#include <cstdint>
#include <string>

#include "core/math/vector.h"
#include "render/device/graphics.h"

class Image;

namespace ui {

class UIWidget;

class UINumber {
 public:
  // Cells 0 to 9 are the digits, then the comma and the colon.
  static constexpr int kComma = 10;
  static constexpr int kColon = 11;
  static constexpr int kEdgeCount = 13;
  // Separators are this fraction of a cell wide.
  static constexpr float kSeparatorWidth = 0.3f;
  // A clock shows at most 99:59.
  static constexpr int kLongestClock = 99 * 60 + 59;
  // Enough for any int: ten digits and three commas, six vertices a cell.
  static constexpr int kMaxVertices = 300;

  UINumber();
  ~UINumber();
  UINumber(const UINumber&) = delete;
  UINumber& operator=(const UINumber&) = delete;

  // Reads a number file; one that does not run is logged and changes
  // nothing. A new image replaces (and frees) the old one.
  void Load(const std::string& file);
  // The quads of the value's cells from left to right into `out` (room for
  // kMaxVertices); returns the vertex count. Pixel units from screen
  // fractions.
  int BuildDigitQuads(int value, const math::Vec2& position, const math::Vec2& cellSize, uint32_t colour,
                      bool commas, Vertex2D* out) const;
  // Nothing without an image or for a negative value.
  void Draw(int value, const math::Vec2& position, float scale, bool commas, uint32_t colour) const;
  // Alignment 0 at the widget's corner, 1 centred, 2 right-aligned and
  // centred vertically; any other draws nothing, as does a null widget.
  void DrawInWidget(const UIWidget* widget, int alignment, int value, float scale, bool commas,
                    uint32_t colour) const;
  // Width and height in unscaled screen units; a negative value measures as
  // one cell.
  math::Vec2 MeasureWidth(int value, bool commas) const;

  void SetClock(bool on) { clock_ = on; }
  bool IsClock() const { return clock_; }
  const math::Vec2& GetCellSize() const { return cellSize_; }
  const Image* GetImage() const { return image_; }
  float GetEdge(int index) const { return edges_[index]; }

 private:
  // The value's cells, least significant first; returns the count.
  int Cells(int value, bool commas, int* cells) const;

  math::Vec2 cellSize_{0.02f, 0.03f};
  Image* image_ = nullptr;
  float edges_[kEdgeCount];
  bool clock_ = false;
};

}  // namespace ui
