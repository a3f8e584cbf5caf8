#include "well/game_end.h"

#include "core/text/text_format.h"
#include "ui/manager/ui_manager.h"
#include "ui/widgets/ui_widget.h"

namespace well {

void GameEndStep::Tick(float dt) {
  if (!wait_.IsExpired())
    wait_.Tick(dt);
  else
    run_.Tick(dt);
}

GameEnd::GameEnd(BaseWell* board, const std::string& panelFile) : board_(board) {
  if (panelFile.empty()) return;
  ui::UIManager* manager = GetUIMan();
  panel_ = manager->AddPanel(panelFile);
  if (!panel_) return;
  manager->PushPanelToFront(panel_);
  panel_->SetIsVisible(true);
}

GameEnd::~GameEnd() { HidePanel(); }

// Scripts may drop the panel while the screen lives.
ui::UIWidget* GameEnd::LivePanel() const { return panel_ && GetUIMan()->IsListed(panel_) ? panel_ : nullptr; }

void GameEnd::HidePanel() {
  if (ui::UIWidget* panel = LivePanel()) panel->SetIsVisible(false);
}

void GameEnd::AddStep(std::unique_ptr<GameEndStep> step) {
  if (step) steps_.push_back(std::move(step));
}

void GameEnd::Draw() {
  if (!steps_.empty()) steps_.front()->Draw();
}

void GameEnd::Tick(float dt) {
  beat_.Tick(dt);
  if (beat_.IsExpired()) {
    beat_.remaining = beat_.period;
    OnTimer();
  }
  if (!steps_.empty()) {
    GameEndStep& step = *steps_.front();
    step.Tick(dt);
    if (step.IsDone()) {
      step.Finish();
      steps_.pop_front();
    }
  }
  elapsed_ += dt;
  CountNumbers(dt);
}

// A number whose start lies above its target counts down to it.
void GameEnd::CountNumbers(float dt) {
  for (CountingNumber& number : numbers_) {
    if (number.delay > 0.0f) {
      number.delay -= dt;
    } else {
      number.current += dt * number.speed;
      const bool passed = number.speed >= 0.0f ? number.current > number.target : number.current < number.target;
      if (passed) number.current = number.target;
    }
    if (!number.widget) continue;
    number.widget->SetText(number.asTime ? lang::FormatTime(number.current)
                                         : lang::FormatThousands(static_cast<int32_t>(number.current)));
  }
}

void GameEnd::SetNumber(const std::string& widgetName, float target, float start, bool asTime, float delay) {
  if (ui::UIWidget* panel = LivePanel())
    AddCountingNumber(panel->GetWidgetByName(widgetName), target, start, asTime, delay);
}

void GameEnd::AddCountingNumber(ui::UIWidget* widget, float target, float start, bool asTime, float delay) {
  if (!widget) return;
  CountingNumber number;
  number.start = start;
  number.target = target;
  number.current = start;
  number.speed = (target - start) / kCountSeconds;
  number.widget = widget;
  number.asTime = asTime ? 1 : 0;
  number.delay = delay;
  numbers_.push_back(number);
}

void GameEnd::SetWidgetText(const std::string& widgetName, const std::string& text) {
  ui::UIWidget* panel = LivePanel();
  if (!panel) return;
  if (ui::UIWidget* widget = panel->GetWidgetByName(widgetName)) widget->SetText(text);
}

}  // namespace well
