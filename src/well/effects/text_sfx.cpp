#include "well/effects/text_sfx.h"

#include "ui/widgets/ui_widget.h"

namespace well {

TextSFX::TextSFX(void* owner, WellSFX* effects, const std::string& image, const std::string& font, float duration,
                 size_t count, bool rise, int32_t spare)
    : SFXSet(owner, effects), items_(count), rise_(rise ? 1 : 0), spare_(spare) {
  for (Item& item : items_) {
    item.widget = std::make_unique<ui::UIWidget>(nullptr, "TestFX");
    item.widget->SetImage(ui::UIWidget::kImageOff, image);
    item.widget->SetFont(font);
    item.timer.period = item.timer.remaining = duration;
  }
}

TextSFX::~TextSFX() = default;

void TextSFX::Draw() {
  for (Item& item : items_) {
    if (item.active) item.widget->Render(false);
  }
}

void TextSFX::Tick(float dt) {
  for (Item& item : items_) {
    if (!item.active) continue;
    ui::UIWidget& widget = *item.widget;
    widget.Update(dt);
    if (rise_) widget.SetPosition(widget.GetPositionInParent() - math::Vec2{0.0f, kRiseSpeed * dt});
    item.timer.Tick(dt);
    const float alpha = 1.0f - item.timer.GetProgress();
    widget.SetColor(1.0f, 1.0f, 1.0f, alpha);
    widget.SetTextColor(1.0f, 1.0f, 1.0f, alpha);
    if (item.timer.IsExpired()) item.active = 0;
  }
}

}  // namespace well
