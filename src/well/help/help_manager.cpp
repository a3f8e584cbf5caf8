#include "well/help/help_manager.h"

#include <cstdio>

#include "audio/audio.h"
#include "well/help/help_panel.h"

namespace well {

HelpManager::~HelpManager() = default;

std::string HelpManager::GetHintTextId(int32_t id) {
  const int32_t n = id + 1;
  char text[32];
  std::snprintf(text, sizeof(text), n < 10 ? "HINT_0%i" : "HINT_%i", static_cast<int>(n));
  return text;
}

void HelpManager::TriggerHint(int32_t id, const math::Vec2& min, const math::Vec2& max, const std::string& icon) {
  if (!CanShow(id)) return;
  if (!panel_) CreatePanel();
  queue_.push_back({id, min, max, icon});
  ShowNext();
}

void HelpManager::ShowNext() {
  if (!panel_ || panel_->GetState() != HelpPanel::kClosed) return;
  while (!queue_.empty()) {
    const QueuedHint hint = queue_.front();
    queue_.pop_front();
    if (!CanShow(hint.id)) continue;
    OnOpening(hint);
    panel_->Open(hint.min, hint.max, GetHintTextId(hint.id));
    audio::GetAudio().PlaySound("hint_up");
    MarkShown(hint.id);
    return;
  }
}

void HelpManager::Dismiss() {
  if (!panel_ || !panel_->MayClose()) return;
  if (!queue_.empty()) {
    panel_->SetState(HelpPanel::kClosed);
  } else {
    panel_->Close();
    audio::GetAudio().PlaySound("hint_down");
  }
  ShowNext();
}

bool HelpManager::IsHintOpen() const { return panel_ && panel_->GetState() != HelpPanel::kClosed; }

void HelpManager::Tick(float dt) {
  if (!panel_) return;
  panel_->Tick(dt);
  // A hint queued while the box was closing opens once it has closed.
  ShowNext();
}

void HelpManager::Draw(const math::Vec2& offset) {
  if (panel_) panel_->Draw(offset);
}

void HelpManager::CloseHint() {
  if (panel_) panel_->SetState(HelpPanel::kClosed);
}

}  // namespace well
