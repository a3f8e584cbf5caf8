// The help box the game shows: a frame tiled from the nine cells of a 3 x 3
// image, sized in whole cells to fit the hint's localised text, with an
// optional mouse icon on a sidebar at its right edge.
#pragma once
#include <cstdint>
#include <string>

#include "ui/widgets/ui_text.h"
#include "well/help/help_panel.h"

class Image;

namespace well {

class WellDynamicHelp : public HelpPanel {
 public:
  // The text keeps this margin inside the frame: 15 x 20 pixels.
  static constexpr float kMarginX = 0.01875f;
  static constexpr float kMarginY = 0.0333333f;
  // The text is measured within this box.
  static constexpr float kMeasureWidth = 0.3f;
  static constexpr float kMeasureHeight = 0.8f;
  static constexpr int32_t kMinCells = 2;
  // The icon name that means no icon.
  static constexpr const char* kNoIcon = "xxxx";
  static constexpr const char* kSidebarImage = "ui_img/sidebar_bg.png";
  // Frame quads are drawn in batches of at most this many vertices.
  static constexpr uint32_t kBatchVertices = 600;

  WellDynamicHelp(float areaMinX, float areaMinY, const math::Vec2& areaMax);
  ~WellDynamicHelp() override;

  void Open(const math::Vec2& a, const math::Vec2& b, const std::string& textId) override;
  void Tick(float dt) override;
  void Draw(const math::Vec2& offset) override;
  void SetFont(const std::string& fontName) override { text_.SetFont(fontName); }
  void SetTextBorder(const math::Vec2& border) override { text_.border = border; }
  math::Vec2 GetBoxSize() const override;
  math::Vec2 GetIconOffset() const override;

  void SetFrame(const std::string& frameImage, const std::string& iconImage, const std::string& topLeft,
                const std::string& bottomLeft, const std::string& topRight, const std::string& bottomRight);
  // An empty name or "xxxx" leaves no icon.
  void SetImage(const std::string& iconImage);
  // A third of the frame image each way, in screen units.
  math::Vec2 GetCellSize() const;
  void SetTextColor(float red, float green, float blue) {
    textRed_ = red;
    textGreen_ = green;
    textBlue_ = blue;
  }

  int32_t GetColumns() const { return columns_; }
  int32_t GetRows() const { return rows_; }
  const ui::UIText& GetText() const { return text_; }
  const ui::UISprite& GetIcon() const { return icon_; }
  const Image* GetFrameImage() const { return frame_; }

 private:
  void DrawFrame(const math::Vec2& origin, uint32_t colour);

  Image* frame_ = nullptr;
  ui::UISprite icon_;
  ui::UISprite sidebar_;
  ui::UIText text_;
  int32_t columns_ = kMinCells;
  int32_t rows_ = kMinCells;
  float textRed_ = 1.0f;
  float textGreen_ = 1.0f;
  float textBlue_ = 1.0f;
};

}  // namespace well
