#include "ui/widgets/kinds/ui_number.h"

#include <algorithm>

#include "core/log.h"
#include "core/script/script_helper.h"
#include "render/device/image.h"
#include "ui/widgets/ui_widget.h"

namespace ui {

namespace {

// An image 350 pixels wide with the cells' edges at 0, 32, 55.5, 89, 118,
// 148.5, 178.5, 206, 237.5, 265, 296 and 309 pixels; no colon.
constexpr float kDefaultEdges[UINumber::kEdgeCount] = {0,          0.09142857f, 0.15857142f, 0.25428572f, 0.33714285f,
                                                        0.42428571f, 0.51f,      0.58857143f, 0.6785714f,  0.75714284f,
                                                        0.84571427f, 0.88285714f, 0.88285714f};
constexpr int kMaxCells = UINumber::kMaxVertices / 6;

bool IsSeparator(int cell) { return cell == UINumber::kComma || cell == UINumber::kColon; }

}  // namespace

UINumber::UINumber() { std::copy(std::begin(kDefaultEdges), std::end(kDefaultEdges), edges_); }

UINumber::~UINumber() { delete image_; }

void UINumber::Load(const std::string& file) {
  LuaPlus::LuaState* state = script::CreateLuaState();
  if (!script::LoadDataScript(state, file)) {
    LOG_LINE(MSG_ERROR, "Unable to load UINumber ini file" + file + "!");
  } else {
    LuaPlus::LuaObject table = script::GetGlobalObject(state, "Number");
    if (table.IsTable()) {
      const std::string imageName = script::ReadString(table, "Image", "");
      cellSize_ = script::ReadVec2(table, "Size", {0.02f, 0.03f});
      std::copy(std::begin(kDefaultEdges), std::end(kDefaultEdges), edges_);
      LuaPlus::LuaObject coords = table["Coords"];
      if (coords.IsTable())
        for (int i = 0, count = std::min(kEdgeCount, coords.GetTableCount()); i < count; ++i)
          if (coords[i + 1].IsNumber()) edges_[i] = static_cast<float>(coords[i + 1].GetNumber());
      Graphics* graphics = GetGraphics();
      delete image_;
      image_ = graphics ? graphics->LoadImageA(imageName) : nullptr;
    }
  }
  LuaPlus::LuaState::Destroy(state);
}

int UINumber::Cells(int value, bool commas, int* cells) const {
  if (value < 0) return 0;
  int count = 0;
  if (clock_) {
    // Past 99:59 the minutes would need a third digit the cells lack.
    value = std::min(value, kLongestClock);
    const int seconds = value % 60, minutes = value / 60;
    cells[count++] = seconds % 10;
    cells[count++] = seconds / 10;
    if (minutes >= 1) {
      cells[count++] = kColon;
      cells[count++] = minutes % 10;
    }
    if (minutes >= 10) cells[count++] = minutes / 10;
    return count;
  }
  int digits = 0;
  while (value > 9) {
    cells[count++] = value % 10;
    value /= 10;
    if (++digits % 3 == 0 && commas) cells[count++] = kComma;
  }
  cells[count++] = value;
  return count;
}

int UINumber::BuildDigitQuads(int value, const math::Vec2& position, const math::Vec2& cellSize, uint32_t colour,
                              bool commas, Vertex2D* out) const {
  int cells[kMaxCells];
  const int count = Cells(value, commas, cells);
  const Graphics* graphics = GetGraphics();
  const float screenWidth = graphics ? graphics->GetScreenWidth() : 0.0f;
  const float screenHeight = graphics ? graphics->GetScreenHeight() : 0.0f;
  float x = screenWidth * position.x;
  const float y = screenHeight * position.y;
  const float cw = screenWidth * cellSize.x, ch = screenHeight * cellSize.y;
  Vertex2D* v = out;
  for (int i = count - 1; i >= 0; --i) {
    const int cell = cells[i];
    const float right = x + (IsSeparator(cell) ? kSeparatorWidth * cw : cw);
    const float u0 = edges_[cell], u1 = edges_[cell + 1];
    const float corners[6][4] = {{x, y + ch, u0, 1},     {x, y, u0, 0},     {right, y + ch, u1, 1},
                                 {right, y, u1, 0},      {right, y + ch, u1, 1}, {x, y, u0, 0}};
    for (const auto& c : corners) *v++ = Vertex2D{c[0], c[1], 0.0f, 1.0f, colour, c[2], c[3]};
    x = right;
  }
  return static_cast<int>(v - out);
}

void UINumber::Draw(int value, const math::Vec2& position, float scale, bool commas, uint32_t colour) const {
  Graphics* graphics = GetGraphics();
  // Without an image the quads would show whatever texture is bound.
  if (!image_ || !graphics) return;
  Vertex2D vertices[kMaxVertices];
  const int count = BuildDigitQuads(value, position, cellSize_ * scale, colour, commas, vertices);
  if (count == 0) return;
  graphics->SetTexture(0, image_);
  graphics->DrawArray2D(vertices, static_cast<uint32_t>(count), Graphics::kTriangleList);
}

void UINumber::DrawInWidget(const UIWidget* widget, int alignment, int value, float scale, bool commas,
                            uint32_t colour) const {
  if (!widget) return;
  const math::Vec2& at = widget->GetPosition();
  const math::Vec2& size = widget->GetSize();
  const math::Vec2 measured = MeasureWidth(value, commas) * scale;
  switch (alignment) {
    case 0: Draw(value, at, scale, commas, colour); break;
    case 1: Draw(value, at + (size - measured) * 0.5f, scale, commas, colour); break;
    case 2:
      Draw(value, {at.x + size.x - measured.x, at.y + (size.y - measured.y) * 0.5f}, scale, commas, colour);
      break;
    default: break;
  }
}

math::Vec2 UINumber::MeasureWidth(int value, bool commas) const {
  if (value < 0) return cellSize_;
  int cells[kMaxCells];
  const int count = Cells(value, commas, cells);
  float width = 0.0f;
  for (int i = 0; i < count; ++i) width += IsSeparator(cells[i]) ? kSeparatorWidth : 1.0f;
  return {width * cellSize_.x, cellSize_.y};
}

}  // namespace ui
