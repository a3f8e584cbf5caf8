#include "game/qor_race_well.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "board/game_variables.h"
#include "core/log.h"
#include "core/math/geometry.h"
#include "core/math/random.h"
#include "core/script/console.h"
#include "game/qor_race_scarab.h"
#include "game/qor_race_summary.h"
#include "game/qor_race_ui.h"
#include "ui/manager/ui_manager.h"
#include "ui/widgets/ui_widget.h"
#include "well/block.h"

namespace {

constexpr float kSkillMin = 0.7f;
constexpr float kSkillMax = 0.99f;
const char* const kRivalColours[3] = {"red", "green", "blue"};

void RunInConsole(const std::string& text) {
  if (console::Console* console = GetConsole()) console->Do(text);
}

}  // namespace

QORRaceWell::QORRaceWell(void* camera) : QORWell(camera) {}

QORRaceWell::~QORRaceWell() { DeleteRacers(); }

void QORRaceWell::DeleteRacers() {
  for (QORRaceScarab* racer : racers_) delete racer;
  racers_.clear();
}

QORRaceUI* QORRaceWell::GetRaceUI() const { return dynamic_cast<QORRaceUI*>(hud_); }

QORRaceScarab* QORRaceWell::GetPlayerRacer() const {
  return !racers_.empty() && racers_.front()->IsPlayer() ? racers_.front() : nullptr;
}

// --- The start.

void QORRaceWell::OnLevelStart() {
  finishTimer_.remaining = finishTimer_.period = kFinishSeconds;
  QORWell::OnLevelStart();
  DeleteRacers();
  CollectStartBlocks();
  if (startBlocks_.size() < 2) LOG_LINE(MSG_ERROR, kTooFewRacers);
  num::Random& random = num::GetRandom();
  for (size_t i = 0; i < startBlocks_.size(); ++i) {
    auto* racer = new QORRaceScarab(this, i == 0);
    racer->SetColorName(i == 0 ? "Yellow" : kRivalColours[std::rand() % 3]);
    racer->Setup(startBlocks_[i]->GetScreenPosition() + scroll_, QORRaceScarab::kTopSpeed);
    if (i > 0) racer->SetSkill(random.Range(kSkillMin, kSkillMax));
    racers_.push_back(racer);
  }
  for (QORRaceScarab* racer : racers_) {
    AddCourse(*racer, kLaps, scroll_);
    racer->FaceFirstWaypoint();
  }
  place_ = 0;
  raceTime_ = 0.0f;
}

void QORRaceWell::CollectStartBlocks() {
  startBlocks_.clear();
  std::vector<well::Block*> blocks;
  CollectBlocks(0, 0, width_, height_, blocks);
  for (well::Block* block : blocks) {
    if (GetBlockType(block) == kStartBlockType) startBlocks_.push_back(block);
  }
}

void QORRaceWell::AddCourse(QORRaceScarab& racer, int32_t laps, const math::Vec2& offset) const {
  for (int32_t lap = 0; lap < laps; ++lap) {
    for (const well::Block* milestone : GetMilestones()) racer.AddWaypoint(milestone->GetScreenPosition() + offset);
  }
}

void QORRaceWell::InitUI() {
  delete hud_;
  auto* hud = new QORRaceUI(this);
  hud_ = hud;
  hud->Init();
  hud->SetTotalLaps(kLaps);
  hud->SetRacerCount(static_cast<int32_t>(racers_.size()));
  hud->SetPlayerRacer(GetPlayerRacer());
  RunInConsole("SetupBetting()");
}

// Hidden only: a script that drops the board runs inside the HUD's
// countdown or the race's finish, which go on using the HUD. It is deleted
// with the board or by the next InitUI.
void QORRaceWell::ShutdownUI() {
  if (hud_) hud_->Hide();
  if (gameEnd_) gameEnd_->HidePanel();
}

void QORRaceWell::StartRace() {
  if (QORRaceUI* hud = GetRaceUI()) hud->EndBetting();
}

// --- Input.

bool QORRaceWell::OnMouseMove(const math::Vec2& point) {
  mousePosition_ = point;
  return false;
}

void QORRaceWell::SteerRacer(const math::Vec2& point, int button) {
  QORRaceScarab* player = GetPlayerRacer();
  if (!player || gameEnd_) return;
  player->SetSteerTarget(point + scroll_);
  if (button == kRightButton) player->Sprint();
}

void QORRaceWell::OnLeftClick(const math::Vec2& point) {
  QORRaceScarab* player = GetPlayerRacer();
  if (player && !gameEnd_ && player->HitTest(point)) player->Sprint();
}

// --- The frame.

void QORRaceWell::Tick(float dt) {
  QORRaceUI* hud = GetRaceUI();
  if (!hud) return;
  EdgeScroll(dt);
  hud->Tick(dt);
  // The base tick ticks the summary too, once a frame.
  GameScrollWell::Tick(dt);
  if (finished_) hud->AnimateStars(dt);
  if (hud->IsBetting()) return;

  CollideRacers();
  for (QORRaceScarab* racer : racers_) {
    racer->Tick(dt);
    CollideWithBarriers(*racer);
  }
  if (!finished_) {
    QORRaceScarab* player = GetPlayerRacer();
    if (player && started_ && player->IsPastLastWaypoint() && !gameEnd_) finishTimer_.Tick(dt);
    if (finishTimer_.IsExpired()) Finish();
  }
  if (!racers_.empty()) SetScroll(racers_.front()->GetPosition() - math::Vec2(0.5f, 0.5f));
  UpdatePlaces(dt);
}

void QORRaceWell::CollideRacers() {
  for (size_t i = 0; i < racers_.size(); ++i) {
    for (size_t j = i + 1; j < racers_.size(); ++j) {
      QORRaceScarab& a = *racers_[i];
      QORRaceScarab& b = *racers_[j];
      const math::Vec2 between = b.GetPosition() - a.GetPosition();
      const float d = between.Magnitude();
      const float reach = a.GetRadius() + b.GetRadius();
      // Racers on one centre have no line to part along.
      if (d >= reach || d <= 0.0f) continue;
      const math::Vec2 push = between * ((reach - d) * 0.5f / d);
      a.Position() = a.GetPosition() - push;
      a.Velocity() = a.GetVelocity() - push;
      b.Position() += push;
      b.Velocity() += push;
    }
  }
}

void QORRaceWell::CollideWithBarriers(QORRaceScarab& racer) {
  for (const QORBarrier& barrier : barriers_) {
    math::Vec2 push;
    float depth = 0.0f;
    if (!math::SegmentCircleCollision(barrier.from, barrier.to, racer.GetPosition(), racer.GetRadius(),
                                      kBarrierRadius, push, depth))
      continue;
    racer.Position() += push * depth;
    racer.Velocity() = racer.Velocity() * std::exp(-kBarrierDrag / racer.GetDragTime());
  }
}

int32_t QORRaceWell::GradeOfPlace(int32_t place) {
  switch (place) {
    case 1: return 5;
    case 2: return 4;
    case 3: return 3;
    case 4: return 2;
    default: return 1;
  }
}

// Without a current profile the game variables read 0 and keep nothing.
void QORRaceWell::AwardPrize(int32_t place) {
  if (place < 1 || place > 3) return;
  const int32_t index = kPrizeVariables[place - 1];
  const int32_t count = GetInt(index);
  if (count < kPrizeCap) SetInt(index, count + 1);
}

void QORRaceWell::Finish() {
  const int32_t grade = GradeOfPlace(place_);
  QORRaceUI* hud = GetRaceUI();
  if (hud) {
    if (ui::UIWidget* summary = hud->GetSummaryPanel()) {
      summary->SetIsVisible(true);
      GetUIMan()->PushPanelToFront(summary);
    }
    if (ui::UIWidget* lights = hud->GetLightsPanel()) lights->SetIsVisible(false);
    hud->SetStarsEarned(grade);
  }
  finished_ = 1;
  AwardPrize(place_);
  RunInConsole("WinRace(" + std::to_string(grade) + ")");
  auto* summary = new QORRaceSummary(this);
  SetGameEnd(summary);
  summary->Setup(place_, static_cast<int32_t>(racers_.size()), elapsed_, bet_, grade);

  // The HUD's bar keeps the value it shows: its racer goes now.
  if (hud) hud->SetPlayerRacer(nullptr);
  const math::Vec2 last = racers_.empty() ? scroll_ + math::Vec2(0.5f, 0.5f) : racers_.front()->GetPosition();
  DeleteRacers();
  auto* lone = new QORRaceScarab(this, false);
  lone->SetColorName("yellow");
  lone->Setup(last, QORRaceScarab::kTopSpeed);
  AddCourse(*lone, kLoneLaps, scroll_);
  racers_.push_back(lone);
}

void QORRaceWell::UpdatePlaces(float dt) {
  QORRaceUI* hud = GetRaceUI();
  QORRaceScarab* player = GetPlayerRacer();
  if (!hud || !player || gameEnd_ || player->IsPastLastWaypoint()) return;
  raceTime_ += dt;
  const float mine = player->GetProgress();
  int32_t ahead = 0;
  for (const QORRaceScarab* racer : racers_) {
    if (racer->GetProgress() > mine) ++ahead;
  }
  const auto count = static_cast<int32_t>(player->GetWaypoints().size());
  const int32_t lap = count > 0 ? 1 + kLaps * player->GetNextWaypoint() / count : 1;
  hud->SetCurrentLap(std::clamp(lap, 1, kLaps));
  place_ = 1 + ahead;
  hud->SetPlace(place_);
}

// --- Drawing.

void QORRaceWell::Draw() {
  QORWell::Draw();
  for (QORRaceScarab* racer : racers_) racer->Draw();
  if (!GetRaceDebug()) return;
  if (!racers_.empty()) racers_.front()->DrawDebugPath();
  DrawBarriers();
}
