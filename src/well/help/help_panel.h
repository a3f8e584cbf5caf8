// The animated help box: four corner images fly in around a target rectangle
// of the screen while the box opens, and the box is laid out beside the
// rectangle inside an area of the screen. A derived panel draws the box
// itself and says how large it is.
#pragma once
#include <string>

#include "core/countdown_timer.h"
#include "core/math/vector.h"
#include "render/sprites/ui_sprite.h"

namespace well {

class HelpPanel {
 public:
  enum State : int { kClosed = 0, kOpening = 1, kOpen = 2, kClosing = 3 };
  // The corners in the order of their images: top-left, bottom-left,
  // top-right, bottom-right.
  static constexpr int kCornerCount = 4;
  // A hint may be dismissed once it has been open this long.
  static constexpr float kMinOpenSeconds = 1.0f;
  // Corners start this far outside their place and five times their size.
  static constexpr float kCornerFlight = 0.3f;
  // The gap between the box and the rectangle it points at.
  static constexpr float kGap = 0.05f;

  HelpPanel(float areaMinX, float areaMinY, const math::Vec2& areaMax);
  virtual ~HelpPanel() = default;
  HelpPanel(const HelpPanel&) = delete;
  HelpPanel& operator=(const HelpPanel&) = delete;

  virtual void Open(const math::Vec2& a, const math::Vec2& b, const std::string& textId);
  virtual void Close();
  virtual void Tick(float dt);
  virtual void Draw(const math::Vec2& offset);
  virtual void SetFont(const std::string& fontName) = 0;
  virtual void SetTextBorder(const math::Vec2& border) = 0;
  virtual math::Vec2 GetBoxSize() const = 0;
  virtual void OnClosed() {}
  virtual void OnOpened() {}
  virtual void SetCornerImages(const std::string& topLeft, const std::string& bottomLeft,
                               const std::string& topRight, const std::string& bottomRight);
  virtual math::Vec2 GetIconOffset() const { return {0.0f, 0.0f}; }

  // Open or closed for more than a second of the frame clock since Open.
  bool MayClose() const;
  // Places the box beside the rectangle, inside the area, clear of the
  // rectangle wherever the area leaves room.
  void LayOut();

  int GetState() const { return state_; }
  // Straight to a state, without sound: 0 closes the box at once.
  void SetState(int state) { state_ = state; }
  const CountdownTimer& GetTimer() const { return timer_; }
  const math::Vec2& GetRectMin() const { return rectMin_; }
  const math::Vec2& GetRectMax() const { return rectMax_; }
  const std::string& GetTextId() const { return textId_; }
  const math::Vec2& GetBoxPosition() const { return boxPosition_; }
  const ui::UISprite& GetCorner(int index) const { return corners_[index].sprite; }
  const math::Vec2& GetCornerPosition(int index) const { return corners_[index].position; }

 protected:
  // 1 as the box starts opening, 0 once it is open.
  float RemainingShare() const;

  struct Corner {
    ui::UISprite sprite;
    math::Vec2 nativeSize;
    math::Vec2 position;
  };

  int state_ = kClosed;
  CountdownTimer timer_{0.3f, 0.3f};
  math::Vec2 rectMin_;
  math::Vec2 rectMax_;
  float areaMaxX_;
  float areaMaxY_;
  float areaMinX_;
  float areaMinY_;
  Corner corners_[kCornerCount];
  std::string textId_;
  float openedAt_ = 0.0f;
  math::Vec2 boxPosition_;
};

}  // namespace well
