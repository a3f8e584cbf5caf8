#include "board/qor_game_won.h"

#include <algorithm>
#include <cstdio>

#include "audio/audio.h"
#include "board/qor_tile.h"
#include "board/qor_board_view.h"
#include "board/hud/qor_well_ui.h"
#include "core/log.h"
#include "render/particles/part2d.h"
#include "ui/manager/ui_manager.h"
#include "ui/widgets/ui_widget.h"

namespace {

// The summary's rows, each counting from its own second.
constexpr float kTreasureDelay = 1.0f;
constexpr float kCritterDelay = 2.0f;
constexpr float kTileDelay = 3.0f;
constexpr float kTimeDelay = 4.0f;
constexpr float kTotalDelay = 5.0f;
// A row of nothing to count shows through at this alpha.
constexpr float kDimmedAlpha = 0.3f;

// Number, final score, label, icon and column of a row.
constexpr const char* kTreasureRow[5] = {"Score_TREASURE", "Final_Treasure", "TREASURE_TEXT", "TREASURE", "col_1"};
constexpr const char* kCritterRow[5] = {"Score_CRITTERS", "Final_Critters", "CRITTER_TEXT", "CRITTER", "col_2"};

}  // namespace

QORLevelGrade QORLevelGrade::Of(int32_t crittersKilled, int32_t tilesBroken, int32_t tileTotal,
                                int32_t treasuresFound, int32_t treasureTotal, int32_t nestFlag,
                                float timeFraction) {
  QORLevelGrade g;
  g.time = std::clamp(timeFraction, 0.0f, 1.0f) * kTimePoints;
  g.critters = static_cast<float>(crittersKilled) * kCritterPoints;
  g.tiles = static_cast<float>(tilesBroken) * kTilePoints;
  g.treasures = static_cast<float>(treasuresFound) * kTreasurePoints;
  g.score = g.critters + g.time + g.tiles + g.treasures;
  g.maximum = static_cast<float>(treasureTotal) * kTreasurePoints + static_cast<float>(tileTotal) * 1.25f +
              static_cast<float>(nestFlag) * 1000.0f + 2500.0f;
  if (g.score > g.maximum) g.grade = 5;
  else if (g.score > 0.85f * g.maximum) g.grade = 4;
  else if (g.score > 0.7f * g.maximum) g.grade = 3;
  else if (g.score > 0.5f * g.maximum) g.grade = 2;
  else g.grade = 1;
  return g;
}

const char* QORLevelGrade::StampOf(int32_t grade) {
  switch (grade) {
    case 5: return "ui_img/stamp_a.png";
    case 4: return "ui_img/stamp_b.png";
    case 3: return "ui_img/stamp_c.png";
    case 2: return "ui_img/stamp_d.png";
    default: return "ui_img/stamp_f.png";
  }
}

QORWinPath::QORWinPath(QORBoardView* board) : WellPath(board), board_(board) {}

int32_t QORWinPath::GetCellCost(int32_t x, int32_t y) {
  const QORTile* tile = board_->GetTile(x, y);
  return tile && tile->type != kTileVoid ? 2 : 0;
}

QORMenuCue::QORMenuCue() { channel_ = audio::GetAudio().PlayMusic(kLevelComplete, 1.0f, false); }

void QORMenuCue::Tick() {
  if (menuAsked_ || audio::GetAudio().IsChannelPlaying(channel_)) return;
  channel_ = audio::GetAudio().PlayMusic(kMenu, 1.0f, true);
  menuAsked_ = 1;
}

QORGameWon::QORGameWon(QORBoardView* board) : GameEnd(board, ""), board_(board) {
  SetBeatPeriod(kBeatSeconds);
  cameraPath_ = std::make_unique<QORWinPath>(board);
  cameraPath_->Create();
  const well::Block* entrance = board->GetEntrance();
  int32_t ex = 0, ey = 0;
  if (entrance && board->GetExit() && board->GetExplorerCell(ex, ey)) {
    const well::Cell home{entrance->GetCell().x, entrance->GetCell().y + 1};
    cameraPath_->FloodFill(home.x, home.y);
    cameraPath_->BuildPath(ex, ey, home.x, home.y);
  }
  int32_t x = 0, y = 0;
  cameraPath_->PopNextStep(x, y);
  cameraStart_ = cameraTarget_ = BoardPositionOf(x, y);
  starParticles_ = std::make_unique<part2d::Part2D>();
  starParticles_->Load("effects/add_star.p2d");
}

QORGameWon::~QORGameWon() = default;

math::Vec2 QORGameWon::BoardPositionOf(int32_t x, int32_t y) const {
  return board_->CellToScreen(x, y) + board_->GetScroll();
}

void QORGameWon::ShowSummary(int32_t tilesBroken, int32_t tileTotal, int32_t treasuresFound, int32_t treasureTotal,
                             int32_t crittersKilled, int32_t nestFlag, int32_t grade, float timeBonus,
                             float critterScore, float treasureScore, float tileScore) {
  grade_ = grade;
  const float sum = timeBonus + critterScore + treasureScore + tileScore;
  const int32_t total = sum < 1.0f ? 0 : static_cast<int32_t>(std::min(sum, 2147483520.0f));
  if (QORWellUI* hud = board_->GetHud()) hud->SetScore(total);

  ui::UIWidget* panel = GetUIMan()->GetPanel(kSummaryPanel);
  SetPanel(panel);
  if (!panel) {
    LOG_LINE(MSG_ERROR, std::string("Unable to find the panel ") + kSummaryPanel + " for the level's summary!");
    return;
  }
  GetUIMan()->PushPanelToFront(panel);
  panel->SetIsVisible(true);
  for (int32_t i = 0; i < kStarCount; ++i) {
    char name[32];
    std::snprintf(name, sizeof(name), "Stamp_Star_%i", i + 1);
    stars_[i] = panel->GetWidgetByName(name);
    if (stars_[i]) stars_[i]->SetIsVisible(false);
  }

  ShowRow(kTreasureRow, treasureTotal < 1);
  if (treasureTotal >= 1) {
    ui::UIWidget::SetTextFormatted(panel->GetWidgetByName("Score_TREASURE"), "%i/%i", treasuresFound,
                                   treasureTotal);
    SetNumber("Final_Treasure", treasureScore, 0.0f, false, kTreasureDelay);
  }
  ShowRow(kCritterRow, nestFlag < 1);
  if (nestFlag >= 1) {
    SetNumber("Score_CRITTERS", static_cast<float>(crittersKilled), 0.0f, false, kCritterDelay);
    SetNumber("Final_Critters", critterScore, 0.0f, false, kCritterDelay);
  }
  ui::UIWidget::SetTextFormatted(panel->GetWidgetByName("Score_TILES"), "%i/%i", tilesBroken, tileTotal);
  SetNumber("Final_Tiles", tileScore, 0.0f, false, kTileDelay);
  SetNumber("Final_Time", timeBonus, 0.0f, false, kTimeDelay);
  SetNumber("Score_TIME", board_->GetElapsed(), 0.0f, true, kTimeDelay);
  SetNumber("Score_FINAL", static_cast<float>(total), 0.0f, false, kTotalDelay);

  if (ui::UIWidget* stamp = panel->GetWidgetByName("Stamp")) stamp->SetImage(0, QORLevelGrade::StampOf(grade));
  if (ui::UIWidget* next = panel->GetWidgetByName("CONTINUE"))
    next->SetEvent(ui::UIWidget::kLmbClick, board_->IsShadyLevel() ? "DefeatShady()" : "StartArcade()");
}

void QORGameWon::ShowRow(const char* const names[5], bool dimmed) {
  ui::UIWidget* panel = GetPanel();
  ui::UIWidget* widgets[5];
  for (int i = 0; i < 5; ++i) {
    widgets[i] = panel->GetWidgetByName(names[i]);
    if (widgets[i]) widgets[i]->SetIsVisible(true);
  }
  const float alpha = dimmed ? kDimmedAlpha : 1.0f;
  if (dimmed) {
    for (int i = 0; i < 2; ++i) {
      if (widgets[i]) widgets[i]->SetText("");
    }
  }
  for (int i : {0, 1, 2, 4}) {
    if (widgets[i]) widgets[i]->SetTextColor(0.0f, 0.0f, 0.0f, alpha);
  }
  if (widgets[3]) widgets[3]->SetColor(1.0f, 1.0f, 1.0f, alpha);
}

void QORGameWon::Tick(float dt) {
  music_.Tick();
  const CountdownTimer& beat = GetBeat();
  const float t = std::clamp(1.0f - beat.remaining / beat.period, 0.0f, 1.0f);
  board_->SetScroll(cameraStart_ - math::Vec2(0.5f, 0.5f) + (cameraTarget_ - cameraStart_) * t);
  starParticles_->Tick(dt);
  if (!board_->IsShadyLevel()) LightStars();
  GameEnd::Tick(dt);
}

// The k-th star lights at 5 + k seconds, up to the grade.
void QORGameWon::LightStars() {
  const int32_t lit = std::min(static_cast<int32_t>((GetElapsed() - 1.0f) * 5.0f * 0.2f - 4.0f), grade_);
  for (int32_t i = 0; i < lit && i < kStarCount; ++i) {
    ui::UIWidget* star = stars_[i];
    if (!star || star->IsVisible()) continue;
    star->SetIsVisible(true);
    starParticles_->TriggerParticleSet(kStarBurst, star->GetPosition() + star->GetSize() * 0.5f);
    audio::GetAudio().PlaySound("scarab strike");
  }
}

void QORGameWon::OnTimer() {
  int32_t x = 0, y = 0;
  if (cameraPath_->PopNextStep(x, y)) {
    cameraStart_ = cameraTarget_;
    cameraTarget_ = BoardPositionOf(x, y);
  } else {
    cameraStart_ = cameraTarget_;
    Start();
  }
}

void QORGameWon::DrawOverlay() {
  starParticles_->Draw(math::Vec2(0.0f, 0.0f), math::Vec2(1.0f, 1.0f), math::Vec2(1.0f, 1.0f));
}

QORGameLost::QORGameLost(QORBoardView* board) : GameEnd(board, kPanelFile) { SetBeatPeriod(kBeatSeconds); }

void QORGameLost::Tick(float dt) {
  GameEnd::Tick(dt);
  music_.Tick();
}
