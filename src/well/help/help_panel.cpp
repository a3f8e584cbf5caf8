#include "well/help/help_panel.h"

#include <algorithm>

#include "audio/audio.h"
#include "core/frame_timer.h"

namespace well {

HelpPanel::HelpPanel(float areaMinX, float areaMinY, const math::Vec2& areaMax)
    : areaMaxX_(areaMax.x), areaMaxY_(areaMax.y), areaMinX_(areaMinX), areaMinY_(areaMinY) {}

void HelpPanel::Open(const math::Vec2& a, const math::Vec2& b, const std::string& textId) {
  if (state_ != kOpen) {
    state_ = kOpening;
    timer_.remaining = timer_.period;
  }
  rectMin_ = {std::min(a.x, b.x), std::min(a.y, b.y)};
  rectMax_ = {std::max(a.x, b.x), std::max(a.y, b.y)};
  textId_ = textId;
  const math::Vec2 places[kCornerCount] = {
      rectMin_, {rectMin_.x, rectMax_.y}, {rectMax_.x, rectMin_.y}, rectMax_};
  for (int i = 0; i < kCornerCount; ++i) corners_[i].position = places[i] - corners_[i].nativeSize * 0.5f;
  openedAt_ = GetFrameTimer().GetTotalTime();
  audio::GetAudio().PlaySound("help_open");
}

void HelpPanel::Close() {
  if (state_ == kClosing) {
    state_ = kClosed;
  } else {
    state_ = kClosing;
    audio::GetAudio().PlaySound("help_close");
  }
  timer_.remaining = timer_.period;
}

bool HelpPanel::MayClose() const {
  return (state_ == kOpen || state_ == kClosed) && GetFrameTimer().GetTotalTime() - openedAt_ > kMinOpenSeconds;
}

void HelpPanel::Tick(float dt) {
  if (state_ == kClosed) return;
  for (Corner& corner : corners_) corner.sprite.Tick(dt);
  if (state_ != kOpening && state_ != kClosing) return;
  timer_.Tick(dt);
  if (!timer_.IsExpired()) return;
  if (state_ == kOpening) {
    state_ = kOpen;
    OnOpened();
  } else {
    state_ = kClosed;
    OnClosed();
  }
}

float HelpPanel::RemainingShare() const {
  const float share = timer_.period > 0.0f ? 1.0f - timer_.remaining / timer_.period : 1.0f;
  return 1.0f - std::clamp(share, 0.0f, 1.0f);
}

void HelpPanel::Draw(const math::Vec2& offset) {
  if (state_ != kOpening && state_ != kOpen) return;
  const float h = RemainingShare();
  for (int i = 0; i < kCornerCount; ++i) {
    Corner& corner = corners_[i];
    const float sx = i < 2 ? -1.0f : 1.0f;
    const float sy = i % 2 == 0 ? -1.0f : 1.0f;
    const math::Vec2 flight(sx * h * kCornerFlight, sy * h * kCornerFlight);
    corner.sprite.SetRect(corner.position - offset + flight, corner.nativeSize * (4.0f * h + 1.0f), 0.0f, 0,
                          0xFFFFFFFFu);
    corner.sprite.Render();
  }
}

void HelpPanel::SetCornerImages(const std::string& topLeft, const std::string& bottomLeft,
                                const std::string& topRight, const std::string& bottomRight) {
  const std::string* names[kCornerCount] = {&topLeft, &bottomLeft, &topRight, &bottomRight};
  for (int i = 0; i < kCornerCount; ++i) {
    Corner& corner = corners_[i];
    corner.sprite.Setup(*names[i], {0.0f, 0.0f}, {1.0f, 1.0f}, false);
    corner.nativeSize = corner.sprite.size;
  }
}

void HelpPanel::LayOut() {
  const math::Vec2 box = GetBoxSize();
  const math::Vec2 icon = GetIconOffset();
  math::Vec2& at = boxPosition_;
  // Right of the rectangle, centred on it; else left of it.
  at = {rectMax_.x + kGap, rectMin_.y + (rectMax_.y - rectMin_.y) / 2 - box.y / 2};
  if (at.x + icon.x + box.x > areaMaxX_) at.x = rectMin_.x - (box.x + icon.x + kGap);
  // Below it when it would leave the top, above it when it would leave the bottom.
  if (at.y < areaMinY_) at.y = rectMax_.y + icon.y + kGap;
  if (at.y + icon.y + box.y > areaMaxY_) at.y = rectMin_.y - (box.y + kGap);
  // No room on either side: centred across the area, then above or below
  // the rectangle rather than over it.
  if (at.x < areaMinX_ || at.x + box.x > areaMaxX_) {
    at.x = areaMinX_ + (areaMaxX_ - areaMinX_ - box.x) / 2;
    if (at.y < rectMax_.y && at.y + box.y > rectMin_.y) {
      at.y = rectMin_.y - (box.y + kGap);
      if (at.y < areaMinY_) at.y = rectMax_.y + kGap;
    }
  }
  if (at.y < areaMinY_ || at.y + box.y > areaMaxY_) at.y = areaMinY_ + (areaMaxY_ - areaMinY_ - box.y) / 2;
}

}  // namespace well
