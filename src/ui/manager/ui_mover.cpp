#include "ui/manager/ui_mover.h"

#include <cmath>
#include <memory>

#include "ui/manager/ui_manager.h"
#include "ui/widgets/kinds/ui_progress.h"
#include "ui/widgets/ui_widget.h"

namespace ui {

namespace {

float Lerp(float from, float to, float t) { return from + (to - from) * t; }

}  // namespace

UIMover::UIMover(UIWidget* widget, float delay, float duration, const std::string& endScript)
    : widget_(widget),
      endScript_(endScript),
      duration_(duration, duration),
      delay_(delay, delay),
      instant_(duration <= 0.0f) {}

bool UIMover::CountDelay(float dt) {
  if (delay_.IsExpired()) return false;
  delay_.Tick(dt);
  return true;
}

void UIMover::Update(float dt) {
  if (CountDelay(dt)) return;
  if (instant_) {
    Finish();
    return;
  }
  done_ = duration_.IsExpired();
  Apply(dt);
  // Not instant, so the duration is above zero.
  duration_.Tick(dt);
  if (duration_.IsExpired() && !suppressEndScript_) Finish();
}

void UIMover::Finish() {
  SetEndValue();
  // Out of the list first: the end script may clear or delete the movers.
  std::unique_ptr<UIMover> self = widget_->TakeMover(this);
  if (!suppressEndScript_ && !endScript_.empty()) GetUIMan()->ExecuteScript(endScript_);
}

void UIMover::Clear() {
  duration_.remaining = -1.0f;
  suppressEndScript_ = true;
}

UIMove::UIMove(UIWidget* widget, float delay, float duration, const math::Vec2& from, const math::Vec2& to,
               const std::string& endScript)
    : UIMover(widget, delay, duration, endScript), from_(from), to_(to) {}

void UIMove::Apply(float) {
  const float t = Elapsed();
  widget_->SetPosition({Lerp(from_.x, to_.x, t), Lerp(from_.y, to_.y, t)});
}

void UIMove::SetEndValue() { widget_->SetPosition(to_); }

float UISine::Axis::At(float clock) const {
  return period > 0.0f ? amplitude * std::sin(clock / period * kTurn + phase) : 0.0f;
}

UISine::UISine(UIWidget* widget, const math::Vec3& xAxis, const math::Vec3& yAxis)
    : UIMover(widget, 0.0f, -1.0f, ""), base_(widget->GetPositionInParent()) {
  for (auto [axis, values] : {std::pair<Axis*, math::Vec3>{&x_, xAxis}, {&y_, yAxis}}) {
    axis->amplitude = values.x;
    axis->period = values.y;
    axis->phase = values.y > 0.0f ? values.z / values.y * kTurn : 0.0f;
  }
}

void UISine::Update(float dt) {
  if (CountDelay(dt)) return;
  if (IsCleared() || widget_->GetMoverCount() > 1)
    Finish();
  else
    Apply(dt);
}

void UISine::Apply(float dt) {
  clock_ += dt;
  widget_->SetPosition({base_.x + x_.At(clock_), base_.y + y_.At(clock_)});
}

void UISine::SetEndValue() { widget_->SetPosition(base_); }

UIXFade::UIXFade(UIWidget* widget, float delay, float duration, float fromAlpha, float toAlpha,
                 const std::string& endScript)
    : UIMover(widget, delay, duration, endScript), from_(fromAlpha), to_(toAlpha) {}

void UIXFade::Apply(float) { widget_->SetColor(1, 1, 1, Lerp(from_, to_, Elapsed())); }

void UIXFade::SetEndValue() { widget_->SetColor(1, 1, 1, to_); }

UIMoveProgress::UIMoveProgress(UIProgress* bar, float duration, float from, float to, const std::string& endScript)
    : UIMover(bar, 0.0f, duration, endScript), bar_(bar), from_(from), to_(to) {}

void UIMoveProgress::Apply(float) { bar_->SetProgress(Lerp(from_, to_, Elapsed())); }

void UIMoveProgress::SetEndValue() { bar_->SetProgress(to_); }

UISetImage::UISetImage(UIWidget* widget, float delay, const std::string& image, const std::string& endScript)
    : UIMover(widget, delay, -1.0f, endScript), image_(image) {}

void UISetImage::SetEndValue() { widget_->SetImage(UIWidget::kImageOff, image_); }

}  // namespace ui
