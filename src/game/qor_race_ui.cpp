#include "game/qor_race_ui.h"

#include <cstdio>
#include <string>

#include "audio/audio.h"
#include "core/script/console.h"
#include "game/qor_race_scarab.h"
#include "game/qor_race_well.h"
#include "render/particles/part2d.h"
#include "ui/manager/ui_manager.h"
#include "ui/widgets/kinds/ui_progress.h"
#include "ui/widgets/ui_widget.h"

namespace {

void Show(ui::UIWidget* widget, bool visible) {
  if (widget) widget->SetIsVisible(visible);
}

math::Vec2 CentreOf(const ui::UIWidget& widget) { return widget.GetPosition() + widget.GetSize() * 0.5f; }

}  // namespace

QORRaceUI::QORRaceUI(QORRaceWell* board) : QORWellUI(board), race_(board) {}

QORRaceUI::~QORRaceUI() = default;

void QORRaceUI::Init() {
  ui::UIManager* manager = GetUIMan();
  summary_ = manager->AddPanel(kSummaryPanel);
  Show(summary_, false);

  lights_ = manager->GetPanel(kLightsPanel);
  if (lights_) {
    manager->PushPanelToFront(lights_);
    lights_->SetIsVisible(false);
    for (int32_t i = 1; i <= kLightCount; ++i) SetLight(i, kDarkLight);
  }

  panel_ = manager->AddPanel(kRacePanel);
  if (panel_) {
    panel_->SetIsVisible(true);
    staminaBar_ = panel_->GetWidgetOfType("StaminaBar", ui::UIWidget::kTypeProgress);
    lapsText_ = panel_->GetWidgetByName("LAPS_NUMBER");
    placeText_ = panel_->GetWidgetByName("POSITION_NUMBER");
  }

  betting_ = 1;
  bettingPanel_ = manager->AddPanel(kBettingPanel);
  if (bettingPanel_) {
    if (lights_) manager->PushPanelToFront(lights_);
    bettingPanel_->SetIsVisible(false);
  }

  if (summary_) {
    for (int32_t i = 0; i < kStarCount; ++i) {
      char name[32];
      std::snprintf(name, sizeof(name), "Stamp_Star_%i", i + 1);
      stars_[i] = summary_->GetWidgetByName(name);
      Show(stars_[i], false);
    }
    starParticles_ = std::make_unique<part2d::Part2D>();
    starParticles_->Load(kStarParticles);
    starTime_ = 0.0f;
    prize_ = summary_->GetWidgetByName("Prize_Won");
    youWon_ = summary_->GetWidgetByName("YOUWON");
    Show(prize_, false);
    Show(youWon_, false);
  }
}

void QORRaceUI::Hide() {
  for (ui::UIWidget* panel : {panel_, bettingPanel_, lights_, summary_}) Show(panel, false);
}

void QORRaceUI::SetLight(int32_t index, float value) {
  if (!lights_) return;
  if (ui::UIWidget* light = lights_->GetWidgetByName("Light_" + std::to_string(index)))
    light->SetColor(value, value, value, 1.0f);
}

void QORRaceUI::EndBetting() {
  betting_ = 0;
  Show(bettingPanel_, false);
  // The lights show for the countdown.
  Show(lights_, true);
}

void QORRaceUI::Tick(float dt) {
  QORWellUI::Tick(dt);
  if (betting_) Show(bettingPanel_, true);
  if (!betting_ && !race_->HasStarted()) TickCountdown(dt);
  if (player_ && staminaBar_)
    static_cast<ui::UIProgress*>(staminaBar_)->SetProgress(player_->GetStamina() / player_->GetMaxStamina());
  ui::UIWidget::SetTextFormatted(lapsText_, "%i/%i", currentLap_, totalLaps_);
  ui::UIWidget::SetTextFormatted(placeText_, "%i/%i", place_, racerCount_);
}

// Without the lights panel the countdown still runs, unseen, so the race
// starts all the same.
void QORRaceUI::TickCountdown(float dt) {
  lightTimer_.Tick(dt);
  if (!lightTimer_.IsExpired()) return;
  lightTimer_.period = lightTimer_.remaining = kLightSeconds;
  LightNext();
}

void QORRaceUI::LightNext() {
  ++lightsLit_;
  SetLight(lightsLit_, 1.0f);
  audio::GetAudio().PlaySound(kCountdownSound);
  if (lightsLit_ < kLightCount) return;
  race_->SetStarted(true);
  if (console::Console* console = GetConsole()) console->Do("EndRaceTimer()");
}

void QORRaceUI::Draw() {
  QORWellUI::Draw();
  if (starParticles_) starParticles_->Draw({0.0f, 0.0f}, {0.0f, 0.0f}, {0.0f, 0.0f});
}

void QORRaceUI::AnimateStars(float dt) {
  if (starParticles_) starParticles_->Tick(dt);
  starTime_ += dt;
  const auto k = static_cast<int32_t>(starTime_ - 1.0f);
  if (k <= starsEarned_) {
    for (; starsShown_ < k && starsShown_ < kStarCount; ++starsShown_) {
      ui::UIWidget* star = stars_[starsShown_];
      if (!star) continue;
      star->SetIsVisible(true);
      if (starParticles_) starParticles_->TriggerParticleSet(kStarBurst, CentreOf(*star));
      audio::GetAudio().PlaySound(kStarSound);
    }
  } else if (starsEarned_ >= kPrizeGrade && !prizeShown_) {
    ShowPrize();
  }
}

void QORRaceUI::ShowPrize() {
  prizeShown_ = 1;
  Show(youWon_, true);
  Show(prize_, true);
  if (prize_ && starParticles_) starParticles_->TriggerParticleSet(kPrizeBurst, CentreOf(*prize_));
  audio::GetAudio().PlaySound(kStarSound);
}
