#include "game/qor_race_summary.h"

#include <cstdio>

#include "audio/audio.h"
#include "board/qor_game_won.h"
#include "board/qor_well.h"
#include "ui/manager/ui_manager.h"
#include "ui/widgets/ui_widget.h"

QORRaceSummary::QORRaceSummary(QORWell* board) : GameEnd(board, ""), board_(board) { SetBeatPeriod(kBeatSeconds); }

// The panel stays with the UI manager; the base hides it.
QORRaceSummary::~QORRaceSummary() = default;

void QORRaceSummary::Setup(int32_t place, int32_t racerCount, float elapsed, int32_t bet, int32_t grade) {
  ui::UIWidget* panel = GetUIMan()->GetPanel(kPanelName);
  SetPanel(panel);
  if (!panel) return;
  if (board_->GetHud()) {
    SetNumber("Score_GOLD", static_cast<float>(bet), 0.0f, false, 0.0f);
    SetNumber("Score_TIME", elapsed, 0.0f, true, 0.0f);
  }
  char text[32];
  std::snprintf(text, sizeof(text), "%i / %i", place, racerCount);
  SetWidgetText("Score_POSITION", text);
  if (ui::UIWidget* stamp = panel->GetWidgetByName("Stamp")) stamp->SetImage(0, QORLevelGrade::StampOf(grade));
}

void QORRaceSummary::Tick(float dt) {
  GameEnd::Tick(dt);
  if (!audio::GetAudio().IsChannelPlaying(channel_)) channel_ = audio::GetAudio().PlayMusic(kMusic, 1.0f, true);
}
