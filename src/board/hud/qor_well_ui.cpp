#include "board/hud/qor_well_ui.h"

#include <algorithm>

#include "board/game_variables.h"
#include "board/hud/qor_power_flight.h"
#include "board/powers/qor_power.h"
#include "board/qor_board_view.h"
#include "ui/manager/ui_manager.h"
#include "ui/widgets/ui_widget.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFFu;

int32_t CountOf(int32_t index) { return GetInt(game_var::kFirstPowerCount + index); }

}  // namespace

QORWellUI::QORWellUI(QORBoardView* board) : board_(board) {}

QORWellUI::~QORWellUI() = default;

QORPower* QORWellUI::GetPower(int32_t index) const { return IsPowerIndex(index) ? powers_[index].get() : nullptr; }

void QORWellUI::Init() {
  numbers_.Load(kNumberFont);
  ui::UIManager* manager = GetUIMan();
  panel_ = manager->AddPanel(kPanel);
  if (panel_) {
    panel_->SetIsVisible(true);
    scoreBox_ = panel_->GetWidgetByName("ScoreBox");
    timeBox_ = panel_->GetWidgetByName("TimeBox");
    goldBox_ = panel_->GetWidgetByName("GoldBox");
    instructions_ = panel_->GetWidgetByName("INSTRUCTIONS");
    sandBottom_ = panel_->GetWidgetOfType("SandTimerBottom", ui::UIWidget::kTypeProgress);
    sandTop_ = panel_->GetWidgetOfType("SandTimerTop", ui::UIWidget::kTypeProgress);
    sandEmitter_ = panel_->GetWidgetOfType("emitter_sand", ui::UIWidget::kTypePart2D);
  }
  popup_ = manager->AddPanel(kPopupPanel);
  if (popup_) popup_->SetIsVisible(popupTimer_.remaining >= 0.0f);
  for (int32_t i = 0; i < kPowerCount; ++i) powers_[i].reset(board_ ? board_->CreatePower(i) : nullptr);
  for (int32_t i = 0; i < kPowerCount; ++i) {
    if (powers_[i]) powers_[i]->Init();
    if (!panel_) continue;
    buttons_[i] = panel_->GetWidgetByName("Special_" + std::to_string(i + 1));
    counts_[i] = panel_->GetWidgetByName("PowerCount_" + std::to_string(i + 1));
  }
  refresh_ = 1;
  RefreshPowerButtons();
  ClearInstructions();
}

void QORWellUI::Hide() {
  if (panel_) panel_->SetIsVisible(false);
  // The popup would otherwise stay up over the next screen: no tick hides it now.
  if (popup_) popup_->SetIsVisible(false);
  popupTimer_.remaining = -1.0f;
}

void QORWellUI::Tick(float dt) {
  popupTimer_.Tick(dt);
  if (popup_) popup_->SetIsVisible(popupTimer_.remaining >= 0.0f);
  // Button changes wait while a power is armed.
  if (armed_)
    armed_->Tick(dt);
  else
    RefreshPowerButtons();
  TickPowerFlights(dt);
}

void QORWellUI::Draw() {
  const int32_t s = elapsedSeconds_;
  const float fade = s < kTimeFadeSeconds ? 1.0f - static_cast<float>(kTimeFadeSeconds - s) * 0.1f : 1.0f;
  numbers_.DrawInWidget(scoreBox_, 1, score_, FitScale(scoreBox_, score_), true, kWhite);
  numbers_.DrawInWidget(goldBox_, 1, gold_, FitScale(goldBox_, gold_), true, kWhite);
  if (s >= 0) {
    const uint32_t v = static_cast<uint32_t>(std::clamp(static_cast<int32_t>(fade * 255.0f), 0, 255));
    numbers_.SetClock(true);
    numbers_.DrawInWidget(timeBox_, 1, s, 1.0f, false, 0xFFFF0000u | v << 8 | v);
    numbers_.SetClock(false);
  }
  if (armed_) armed_->Draw();
  DrawPowerFlights();
}

// A number too wide for its plate is drawn smaller, so that it stays on it.
float QORWellUI::FitScale(const ui::UIWidget* plate, int32_t value) const {
  if (!plate) return 1.0f;
  const float width = numbers_.MeasureWidth(value, true).x;
  const float room = plate->GetSize().x * kPlateFill;
  return width > room ? room / width : 1.0f;
}

bool QORWellUI::OnMouseMove(const math::Vec2& point) {
  if (armed_) armed_->SetMousePosition(point);
  return true;
}

void QORWellUI::UsePower(const math::Vec2& point) {
  if (!armed_ || (board_ && board_->IsMoving())) return;
  if (armed_->OnClick(point) && board_) board_->PlayExplorerPowerAnimation();
  ClearInstructions();
  armed_ = nullptr;
}

void QORWellUI::CancelPower(const math::Vec2&) {
  armed_ = nullptr;
  ClearInstructions();
}

void QORWellUI::SelectPower(int32_t index) {
  if (!IsPowerIndex(index) || CountOf(index) < 1 || !powers_[index]) return;
  QORPower* power = powers_[index].get();
  if (armed_ == power) {
    armed_ = nullptr;
    // Its help would stay on the line with nothing armed.
    ClearInstructions();
    return;
  }
  armed_ = power;
  // Off the screen until the mouse moves.
  armed_->SetMousePosition({-1.0f, 0.0f});
}

void QORWellUI::DecrementPower(int32_t index) {
  if (!IsPowerIndex(index)) return;
  const int32_t count = CountOf(index);
  if (count > 0) SetInt(game_var::kFirstPowerCount + index, count - 1);
  refresh_ = 1;
}

void QORWellUI::AwardPower(const math::Vec2& from, int32_t index, bool popup) {
  if (!IsPowerIndex(index)) return;
  const math::Vec2 start = board_ ? from - board_->GetScroll() : from;
  const math::Vec2 end = counts_[index] ? counts_[index]->GetPosition() : math::Vec2(0.0f, 0.0f);
  flights_.push_back(std::make_unique<QORPowerFlight>(index, start, end));
  const std::string number = std::to_string(index + 1);
  if (popup) {
    popupTimer_.remaining = popupTimer_.period;
    if (popup_) {
      if (ui::UIWidget* image = popup_->GetWidgetByName("TreasureIMAGE")) image->SetImage(0, number + "_off");
      if (ui::UIWidget* text = popup_->GetWidgetByName("TEXT")) text->SetText("TREASURE_AWARD_" + number);
    }
  }
  if (ui::UIWidget* button = buttons_[index]; button && board_)
    board_->TriggerHint(kFirstPowerHint + index, button->GetPosition(), button->GetPosition() + button->GetSize());
}

void QORWellUI::RefreshPowerButtons() {
  if (!refresh_) return;
  for (int32_t i = 0; i < kPowerCount; ++i) {
    int32_t count = CountOf(i);
    if (count > kMaxPowerCount) {
      count = kMaxPowerCount;
      SetInt(game_var::kFirstPowerCount + i, count);
    }
    if (!buttons_[i] || !counts_[i]) continue;
    const bool owned = count > 0;
    buttons_[i]->SetIsActive(owned);
    const float shade = owned ? 1.0f : 0.3f;
    buttons_[i]->SetColor(shade, shade, shade, 1.0f);
    counts_[i]->SetIsVisible(owned);
    if (owned) counts_[i]->SetImage(0, "power_" + std::to_string(count));
  }
  refresh_ = 0;
}

void QORWellUI::ShowInstructions(const std::string& textId) {
  if (!instructions_) return;
  instructions_->SetText(textId);
  instructions_->SetIsVisible(true);
}

void QORWellUI::ClearInstructions() {
  if (!instructions_) return;
  instructions_->SetText("");
  instructions_->SetIsVisible(false);
}

void QORWellUI::AddClearedBlock(int32_t color) {
  if (color >= 0 && color < kColorCount) ++clearedOfColor_[color];
}

int32_t QORWellUI::GetClearedOfColor(int32_t color) const {
  return color >= 0 && color < kColorCount ? clearedOfColor_[color] : 0;
}

void QORWellUI::TickPowerFlights(float dt) {
  for (auto& flight : flights_) flight->Tick(dt);
  // One lands a tick; another that ran out meanwhile lands in the next.
  auto landed = std::find_if(flights_.begin(), flights_.end(), [](const auto& flight) { return flight->HasLanded(); });
  if (landed == flights_.end()) return;
  const int32_t index = (*landed)->GetIndex();
  SetInt(game_var::kFirstPowerCount + index, CountOf(index) + 1);
  flights_.erase(landed);
  refresh_ = 1;
}

void QORWellUI::DrawPowerFlights() {
  for (auto& flight : flights_) flight->Draw();
}
