#include "game/qor_mini_game_state.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "audio/audio.h"
#include "core/frame_timer.h"
#include "core/input/input.h"
#include "core/input/mouse.h"
#include "core/math/random.h"
#include "core/script/console.h"
#include "core/text/text_format.h"
#include "game/qor_mini_game_waves.h"
#include "game/qor_puzzle_token.h"
#include "render/device/graphics.h"
#include "render/fonts/font_manager.h"
#include "render/particles/part2d.h"
#include "ui/manager/ui_manager.h"
#include "ui/widgets/kinds/ui_part2d_widget.h"
#include "ui/widgets/kinds/ui_progress.h"

namespace {

constexpr float kPi = 3.14159265f;
constexpr int kTrailSteps = 10;
constexpr float kTrailSpacing = 0.01f;
constexpr float kFlightBulge = 0.2f;
constexpr float kFitGrowth = 0.0375f;
const uint32_t kWhite = 0xFFFFFFFFu;

void PlaySet(const char* set) { audio::GetAudio().PlaySound(set); }

}  // namespace

QORMiniGameState::QORMiniGameState(camera::PerspectiveCamera* camera)
    : GameScreen(camera, kPanelFile, "OnEnterMinigame()", "OnExitGeneric()") {}

QORMiniGameState::~QORMiniGameState() = default;

math::Vec2 QORMiniGameState::SlotPosition(int32_t slot) {
  const int32_t c = slot % kColumns, r = slot / kColumns;
  return {kSlotLeft + kSlotStepX * static_cast<float>(c), kSlotTop + kSlotStepY * static_cast<float>(r)};
}

math::Vec2 QORMiniGameState::ClosedPosition(int32_t column, int32_t row) {
  return {kSlotLeft + kTokenWidth * static_cast<float>(column), kSlotTop + kTokenHeight * static_cast<float>(row)};
}

void QORMiniGameState::PieceUVs(int32_t piece, math::Vec2& uvMin, math::Vec2& uvMax) {
  const float c = static_cast<float>(piece % kColumns), r = static_cast<float>(piece / kColumns);
  uvMin = {kPieceU * c, kPieceV * r};
  uvMax = {kPieceU * (c + 1.0f), kPieceV * (r + 1.0f)};
}

int32_t QORMiniGameState::Grade(float elapsed, float limit) {
  const float m = elapsed / limit;
  if (m < 0.5f) return 5;
  if (m < 0.6f) return 4;
  if (m < 0.7f) return 3;
  if (m < 0.8f) return 2;
  return 1;
}

math::Vec2 QORMiniGameState::FlightPoint(const math::Vec2& start, const math::Vec2& end, float t, float bulge) {
  t = std::clamp(t, 0.0f, 1.0f);
  const math::Vec2 along = end - start;
  const math::Vec2 across{-along.y, along.x};
  return start + along * t + across * (bulge * std::sin(kPi * t));
}

QORPuzzleToken* QORMiniGameState::GetToken(int32_t piece) const {
  return piece >= 0 && piece < kPieceCount ? tokens_[piece] : nullptr;
}

QORPuzzleToken* QORMiniGameState::GetTokenInSlot(int32_t slot) const {
  for (int32_t piece = 0; piece < kPieceCount; ++piece)
    if (pieces_[piece] == slot) return tokens_[piece];
  return nullptr;
}

int32_t QORMiniGameState::GetSlot(int32_t piece) const {
  return piece >= 0 && piece < kPieceCount ? pieces_[piece] : -1;
}

QORGridWave* QORMiniGameState::GetOpeningWave() const { return openingWave_.get(); }

ui::UIWidget* QORMiniGameState::FirstPanel() const { return GetPanels().empty() ? nullptr : GetPanels().front(); }

ui::UIWidget* QORMiniGameState::PausePanel() const {
  return pausePanel_ && GetUIMan()->IsListed(pausePanel_) ? pausePanel_ : nullptr;
}

bool QORMiniGameState::OnEnter() {
  GameScreen::OnEnter();
  ClearSelection();
  swapping_ = false;
  UpdateImage(pictureName_);
  done_ = false;
  elapsed_ = 0.0f;
  // Nothing of the last visit may carry over, with or without a panel.
  paused_ = false;
  complete_ = false;
  winDelay_.remaining = winDelay_.period;
  fitFlashes_.clear();
  sandBottom_ = sandTop_ = nullptr;
  sandEmitter_ = nullptr;
  pausePanel_ = nullptr;
  ui::UIWidget* panel = FirstPanel();
  if (!panel) return true;
  sandBottom_ = panel->GetProgressByName("SandTimerBottom");
  sandTop_ = panel->GetProgressByName("SandTimerTop");
  sandEmitter_ = panel->GetPartWidgetByName("emitter_sand");
  // The bursts come only from SandBurst: the groups never emit of themselves.
  sand_ = std::make_unique<part2d::Part2D>();
  sand_->Load(kSandFile);
  for (int i = 0; i < sand_->GroupC(); ++i) sand_->GetGroup(static_cast<unsigned>(i))->SetGenRate(0.0f);
  ui::UIManager* uiManager = GetUIMan();
  pausePanel_ = uiManager->AddPanel(kPauseFile);
  if (pausePanel_) {
    uiManager->PushPanelToFront(pausePanel_);
    pausePanel_->SetIsVisible(false);
  }
  audio::GetAudio().PlayMusic(kMusic, 1.0f, true);
  return true;
}

bool QORMiniGameState::OnExit() {
  if (ui::UIWidget* pause = PausePanel()) pause->SetIsVisible(false);
  return GameScreen::OnExit();
}

void QORMiniGameState::FindOrMakeTokens(ui::UIWidget* panel) {
  for (int32_t piece = 0; piece < kPieceCount; ++piece) {
    const std::string name = "Token_" + std::to_string(piece % kColumns) + "_" + std::to_string(piece / kColumns);
    ui::UIWidget* listed = panel->Find(name);
    if (auto* token = dynamic_cast<QORPuzzleToken*>(listed)) {
      tokens_[piece] = token;
      continue;
    }
    // The names are the puzzle's own: a widget of the panel that took one goes.
    if (listed) panel->DeleteChild(listed, true);
    auto token = std::make_unique<QORPuzzleToken>(panel, name);
    token->Init(name, {0.0f, 0.0f}, {kTokenWidth, kTokenHeight});
    // The panel owns what it lists.
    if (panel->Add(name, token.get())) tokens_[piece] = token.release();
  }
}

void QORMiniGameState::UpdateImage(const std::string& picture) {
  std::fill(std::begin(tokens_), std::end(tokens_), nullptr);
  if (ui::UIWidget* panel = FirstPanel()) FindOrMakeTokens(panel);
  for (int32_t piece = 0; piece < kPieceCount; ++piece) {
    if (!tokens_[piece]) continue;
    math::Vec2 uvMin, uvMax;
    PieceUVs(piece, uvMin, uvMax);
    tokens_[piece]->ShowPiece(picture, uvMin, uvMax);
    tokens_[piece]->SetIsVisible(true);
  }
  picture_.Invalidate();
  picture_.LoadImage(picture);
  picture_.uv1 = {0.0f, 0.0f};
  picture_.uv2 = {1.0f, 1.0f};
  picture_.GetNativeSize(picture_.size);
  picture_.additive = 0;
  Shuffle();
  for (int32_t piece = 0; piece < kPieceCount; ++piece) {
    if (!tokens_[piece]) continue;
    tokens_[piece]->SetSize({kTokenWidth, kTokenHeight});
    tokens_[piece]->SetPositionRelativeToParent(SlotPosition(pieces_[piece]));
  }
  closingWave_.reset();
  openingWave_ = std::make_unique<QORMiniGamePlayWave>(*this);
  openingWave_->Start();
  done_ = false;
}

// Every exchange is with a piece below, so the slots form one cycle and no
// piece is dealt into its own slot.
void QORMiniGameState::Shuffle() {
  for (int32_t piece = 0; piece < kPieceCount; ++piece) pieces_[piece] = piece;
  for (int32_t n = kPieceCount; n >= 2;) {
    n = n - 1;
    const int32_t j = std::rand() % n;
    std::swap(pieces_[n], pieces_[j]);
  }
}

void QORMiniGameState::OnPause() {
  if (!IsWaveRunning()) paused_ = true;
}

void QORMiniGameState::TogglePause() {
  if (!IsWaveRunning()) paused_ = !paused_;
}

void QORMiniGameState::ClearSelection() {
  first_ = second_ = nullptr;
  firstIndex_ = secondIndex_ = -1;
}

// Every device press reaches every listener: only the puzzle on screen takes them.
void QORMiniGameState::OnMouseDown(const input::MouseButton* button, const math::Vec2* point) {
  if (!button || !point || !IsActive()) return;
  if (paused_ || closingWave_ || done_ || swapping_) return;
  if (button->index != 0) {
    ClearSelection();
    return;
  }
  for (int32_t piece = 0; piece < kPieceCount; ++piece) {
    if (tokens_[piece] && !IsHome(piece) && tokens_[piece]->IsInside(*point)) {
      Select(piece);
      return;
    }
  }
}

void QORMiniGameState::Select(int32_t piece) {
  if (!first_) {
    first_ = tokens_[piece];
    firstIndex_ = piece;
    PlaySet("Select_A");
    return;
  }
  second_ = tokens_[piece];
  secondIndex_ = piece;
  swapping_ = true;
  flightStart_ = first_->GetPosition();
  flightEnd_ = second_->GetPosition();
  const math::Vec2 gap = flightEnd_ - flightStart_;
  const float seconds = std::clamp(1.5f * std::max(std::fabs(gap.x), std::fabs(gap.y)), 0.3f, kSwapSeconds);
  swapTimer_.period = swapTimer_.remaining = seconds;
  // The state draws the two while they fly.
  first_->SetIsVisible(false);
  second_->SetIsVisible(false);
  PlaySet("Select_B");
}

void QORMiniGameState::SetSandEmission(float seconds) {
  part2d::Part2D* system = sandEmitter_ ? sandEmitter_->GetPartsys() : nullptr;
  if (!system) return;
  for (int i = 0; i < system->GroupC(); ++i) system->GetGroup(static_cast<unsigned>(i))->SetGenRate(seconds);
}

bool QORMiniGameState::Tick(float dt) {
  GameScreen::Tick(dt);
  if (ui::UIWidget* pause = PausePanel(); pause && !IsWaveRunning()) {
    pause->SetIsVisible(paused_);
    if (paused_) return true;
  }
  if (sand_) sand_->Tick(dt);
  const float m = elapsed_ / limit_;
  if (sandBottom_) sandBottom_->SetProgress(0.75f - 0.75f * m);
  if (sandTop_) sandTop_->SetProgress(0.25f + 0.75f * m);
  if (openingWave_) {
    SetSandEmission(0.0f);
    openingWave_->Tick(dt);
    if (openingWave_->IsFinished()) openingWave_.reset();
    return true;
  }
  if (closingWave_) {
    SetSandEmission(0.0f);
    closingWave_->Tick(dt);
    return true;
  }
  if (!done_) {
    elapsed_ += dt;
    SetSandEmission(kSandFlow);
  }
  Highlight();
  if (swapping_) TickSwap(dt);
  // A finished picture cannot run out of time while its result is awaited.
  if (!done_ && !complete_ && elapsed_ > limit_) Lose();
  if (complete_ && !closingWave_) TickWinDelay(dt);
  TickFitFlashes(dt);
  return true;
}

void QORMiniGameState::Highlight() {
  const input::Mouse* mouse = input::GetInput().GetMouse();
  for (int32_t piece = 0; piece < kPieceCount; ++piece) {
    QORPuzzleToken* token = tokens_[piece];
    if (!token || IsHome(piece)) continue;
    const bool lit = token == first_ || token == second_ || (mouse && token->IsInside(mouse->GetPosition()));
    token->SetTint(lit ? kHighlight : PackARGB(0.65f, 0.65f, 0.65f, 1.0f));
  }
}

void QORMiniGameState::TickSwap(float dt) {
  swapTimer_.Tick(dt);
  if (!swapTimer_.IsExpired()) return;
  EndSwap();
}

void QORMiniGameState::EndSwap() {
  swapping_ = false;
  swapTimer_.remaining = swapTimer_.period;
  const int32_t a = firstIndex_, b = secondIndex_;
  first_->SetPositionRelativeToParent(flightEnd_);
  second_->SetPositionRelativeToParent(flightStart_);
  first_->SetIsVisible(true);
  second_->SetIsVisible(true);
  ClearSelection();
  std::swap(pieces_[a], pieces_[b]);
  if (!IsHome(a) && !IsHome(b)) {
    PlaySet("puzzle_arrive");
    return;
  }
  PlaySet("puzzle_fit");
  CheckComplete();
  for (int32_t piece : {a, b}) {
    if (!IsHome(piece)) continue;
    const int32_t column = piece % kColumns, row = piece / kColumns;
    SandBurst(row, column);
    fitFlashes_.push_back(FitFlash{column, row});
  }
}

void QORMiniGameState::CancelSwap() {
  swapping_ = false;
  swapTimer_.remaining = swapTimer_.period;
  for (int32_t piece : {firstIndex_, secondIndex_}) {
    if (QORPuzzleToken* token = GetToken(piece)) {
      token->SetPositionRelativeToParent(SlotPosition(pieces_[piece]));
      token->SetIsVisible(true);
    }
  }
  ClearSelection();
}

void QORMiniGameState::CheckComplete() {
  int32_t home = 0;
  for (int32_t piece = 0; piece < kPieceCount; ++piece) {
    if (!IsHome(piece)) continue;
    ++home;
    if (tokens_[piece]) tokens_[piece]->SetTint(kWhite);
  }
  if (home == kPieceCount) complete_ = true;
}

void QORMiniGameState::Lose() {
  // The lost wave moves every token: none may still be in flight.
  if (swapping_) CancelSwap();
  closingWave_ = std::make_unique<QORMiniGameLostWave>(*this);
  closingWave_->Start();
  done_ = true;
  GetConsole()->Do("LoosePuzzle()");
  SetSandEmission(0.0f);
}

void QORMiniGameState::TickWinDelay(float dt) {
  winDelay_.Tick(dt);
  if (!winDelay_.IsExpired()) return;
  GetConsole()->Do("WonPuzzle(" + std::to_string(Grade(elapsed_, limit_)) + ")");
  closingWave_ = std::make_unique<QORMiniGameWonWave>(*this);
  closingWave_->Start();
  ui::UIWidget* summary = GetUIMan()->GetPanel("puzzle_summary");
  if (ui::UIWidget* time = summary ? summary->GetWidgetByName("Score_TIME") : nullptr)
    time->SetText(lang::FormatTime(elapsed_));
}

void QORMiniGameState::TickFitFlashes(float dt) {
  for (FitFlash& flash : fitFlashes_) flash.timer.Tick(dt);
  const auto over = std::find_if(fitFlashes_.begin(), fitFlashes_.end(),
                                 [](const FitFlash& flash) { return flash.timer.IsExpired(); });
  if (over != fitFlashes_.end()) fitFlashes_.erase(over);
}

void QORMiniGameState::SandBurst(int32_t row, int32_t column) {
  if (!sand_) return;
  const float left = SlotPosition(row * kColumns + column).x;
  const float bottom = kSlotTop + kSlotStepY * static_cast<float>(row + 1);
  num::Random& random = num::GetRandom();
  for (int i = 0; i < kGrainsPerBurst; ++i) sand_->TriggerParticle({left + random.Range(0.0f, kSlotStepX), bottom});
}

bool QORMiniGameState::PostRenderUI() {
  if (swapping_) DrawFlight();
  if (sand_) sand_->Draw({0.0f, 0.0f}, {0.0f, 0.0f}, {0.0f, 0.0f});
  if (!done_) DrawFitFlashes();
  FontManager* fonts = GetFontManager();
  fonts->Printf({0.01f, 0.01f}, "Time : %.0f / %.0f", elapsed_, limit_);
  fonts->Printf({0.01f, 0.9f}, "FPS : %.1f", GetFrameTimer().framesPerSecond);
  fonts->FlushText();
  return true;
}

void QORMiniGameState::DrawFlight() {
  if (!first_ || !second_) return;
  const float p = std::clamp(1.0f - swapTimer_.remaining / swapTimer_.period, 0.0f, 1.0f);
  auto drawAt = [this](QORPuzzleToken* token, float t, float bulge, uint32_t colour) {
    token->SetPositionRelativeToParent(FlightPoint(flightStart_, flightEnd_, t, bulge));
    token->SetTint(colour);
    token->Render(true);
  };
  const uint32_t trail = PackARGB(0.2f, 1.0f, 0.2f, 0.1f);
  for (int k = 1; k <= kTrailSteps; ++k) {
    const float q = p - kTrailSpacing * static_cast<float>(k);
    drawAt(first_, q, kFlightBulge, trail);
    drawAt(second_, 1.0f - q, -kFlightBulge, trail);
  }
  drawAt(first_, p, kFlightBulge, kWhite);
  drawAt(second_, 1.0f - p, -kFlightBulge, kWhite);
}

void QORMiniGameState::DrawFitFlashes() {
  for (const FitFlash& flash : fitFlashes_) {
    const float progress = flash.timer.GetProgress();
    const float g = kFitGrowth * progress;
    PieceUVs(flash.row * kColumns + flash.column, picture_.uv1, picture_.uv2);
    const math::Vec2 slot = SlotPosition(flash.row * kColumns + flash.column);
    picture_.SetRect(slot - math::Vec2{g, g}, {kTokenWidth + 2.0f * g, kTokenHeight + 2.0f * g}, 0.0f, 0,
                     PackARGB(1.0f, 1.0f, 1.0f, 1.0f - progress));
    picture_.Render();
  }
}
