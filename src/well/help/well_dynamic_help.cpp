#include "well/help/well_dynamic_help.h"

#include <algorithm>
#include <vector>

#include "audio/audio.h"
#include "core/text/strman.h"
#include "core/text/utf.h"
#include "render/device/graphics.h"
#include "render/device/image.h"
#include "render/fonts/font.h"
#include "render/sprites/quad_builders.h"

namespace well {

namespace {

constexpr float kOpenSeconds = 0.8f;
// The frame's cells without an image: 128 x 128 pixels split in three.
constexpr float kDefaultCellWidth = 0.0533333f;
constexpr float kDefaultCellHeight = 0.0711111f;
// The text sits this far right of the box's corner.
constexpr float kTextNudge = 0.00375f;
// A full batch is drawn before it could overflow.
constexpr uint32_t kFlushAbove = WellDynamicHelp::kBatchVertices - 11;

uint32_t PackColour(float red, float green, float blue, float alpha) {
  auto byte = [](float value) { return static_cast<uint32_t>(std::clamp(value, 0.0f, 1.0f) * 255.0f); };
  return byte(alpha) << 24 | byte(red) << 16 | byte(green) << 8 | byte(blue);
}

// Which of the nine frame cells a box cell shows: corners, edges, middle.
int FrameCell(int32_t index, int32_t count) { return index == 0 ? 0 : index == count - 1 ? 2 : 1; }

}  // namespace

WellDynamicHelp::WellDynamicHelp(float areaMinX, float areaMinY, const math::Vec2& areaMax)
    : HelpPanel(areaMinX, areaMinY, areaMax) {
  timer_ = CountdownTimer(kOpenSeconds, kOpenSeconds);
}

WellDynamicHelp::~WellDynamicHelp() { delete frame_; }

void WellDynamicHelp::SetFrame(const std::string& frameImage, const std::string& iconImage,
                               const std::string& topLeft, const std::string& bottomLeft,
                               const std::string& topRight, const std::string& bottomRight) {
  SetCornerImages(topLeft, bottomLeft, topRight, bottomRight);
  delete frame_;
  Graphics* graphics = GetGraphics();
  frame_ = graphics ? graphics->LoadImageA(frameImage) : nullptr;
  SetImage(iconImage);
  SetFont("SmallFont");
}

void WellDynamicHelp::SetImage(const std::string& iconImage) {
  icon_.Invalidate();
  if (iconImage.empty() || iconImage == kNoIcon) return;
  icon_.Setup(iconImage, {0.0f, 0.0f}, {1.0f, 1.0f}, false);
  if (!sidebar_.HasImage()) sidebar_.Setup(kSidebarImage, {0.0f, 0.0f}, {1.0f, 1.0f}, false);
}

math::Vec2 WellDynamicHelp::GetCellSize() const {
  // An image too small to split would give cells of no size.
  if (!frame_ || frame_->GetWidth() < 3 || frame_->GetHeight() < 3) return {kDefaultCellWidth, kDefaultCellHeight};
  return {frame_->GetWidth() / 3.0f / 800.0f, frame_->GetHeight() / 3.0f / 600.0f};
}

math::Vec2 WellDynamicHelp::GetBoxSize() const {
  const math::Vec2 cell = GetCellSize();
  return {static_cast<float>(columns_) * cell.x, static_cast<float>(rows_) * cell.y};
}

math::Vec2 WellDynamicHelp::GetIconOffset() const {
  return icon_.HasImage() ? icon_.size * 0.5f : math::Vec2(0.0f, 0.0f);
}

void WellDynamicHelp::Open(const math::Vec2& a, const math::Vec2& b, const std::string& textId) {
  HelpPanel::Open(a, b, textId);
  const std::u16string& localised = lang::GetStrMan().Lookup(textId);
  const std::u16string text = localised.empty() ? lang::UTF8ToWide(textId) : localised;
  math::Vec2 corner, measured;
  if (Font* font = text_.GetFont())
    font->GetTextRectW(text, {kMeasureWidth, kMeasureHeight}, corner, measured, ui::UIText::kNoJustification);
  const math::Vec2 cell = GetCellSize();
  columns_ = std::max(kMinCells, static_cast<int32_t>((2 * kMarginX + measured.x) / cell.x + 1.0f));
  rows_ = std::max(kMinCells, static_cast<int32_t>((2 * kMarginY + measured.y) / cell.y + 1.0f));
  SetTextBorder({kMarginX, kMarginY});
  LayOut();
  text_.SetRect(boxPosition_, GetBoxSize());
  text_.SetText(text);
  audio::GetAudio().PlaySound("button_press");
}

void WellDynamicHelp::Tick(float dt) {
  icon_.Tick(dt);
  HelpPanel::Tick(dt);
}

void WellDynamicHelp::Draw(const math::Vec2& offset) {
  if (state_ == kClosed) return;
  HelpPanel::Draw(offset);
  float alpha = 1.0f;
  if (state_ == kOpening) alpha = timer_.GetProgress();
  if (state_ == kClosing) alpha = 1.0f - timer_.GetProgress();
  const uint32_t colour = PackColour(1.0f, 1.0f, 1.0f, alpha);
  const math::Vec2 box = GetBoxSize();
  if (icon_.HasImage()) {
    const math::Vec2 at = boxPosition_ + math::Vec2(box.x, box.y / 2) - math::Vec2(0.0f, icon_.size.y / 2) - offset;
    for (ui::UISprite* sprite : {&sidebar_, &icon_}) {
      sprite->SetRect(at, icon_.size, 0.0f, 0, colour);
      sprite->Render();
    }
  }
  DrawFrame(boxPosition_ - offset, colour);
  text_.colour = PackColour(textRed_, textGreen_, textBlue_, alpha);
  text_.SetRect(boxPosition_ + math::Vec2(kTextNudge, 0.0f) - offset, box);
  text_.Render();
}

void WellDynamicHelp::DrawFrame(const math::Vec2& origin, uint32_t colour) {
  Graphics* graphics = GetGraphics();
  if (!frame_ || !graphics) return;
  graphics->SetTexture(0, frame_);
  const math::Vec2 cell = GetCellSize();
  std::vector<Vertex2D> batch(kBatchVertices);
  uint32_t count = 0;
  for (int32_t i = 0; i < columns_; ++i) {
    for (int32_t j = 0; j < rows_; ++j) {
      const int m = FrameCell(i, columns_) + 3 * FrameCell(j, rows_);
      const math::Vec2 uvMin((m % 3) / 3.0f, (m / 3) / 3.0f);
      const math::Vec2 uvMax((m % 3 + 1) / 3.0f, (m / 3 + 1) / 3.0f);
      BuildRectQuad(&batch[count], origin + math::Vec2(i * cell.x, j * cell.y), cell, uvMin, uvMax, colour);
      count += 6;
      if (count > kFlushAbove) {
        graphics->DrawArray2D(batch.data(), count, Graphics::kTriangleList);
        count = 0;
      }
    }
  }
  if (count > 0) graphics->DrawArray2D(batch.data(), count, Graphics::kTriangleList);
}

}  // namespace well
