// The HUD of a level in play: score, gold and elapsed time in a number font
// along the bottom of the screen, the nine power buttons with their counts,
// the instruction line an armed power fills, and the popup that announces a
// power found in a treasure. It owns the nine powers and arms at most one;
// an awarded power's icon flies to its button and the power is credited
// when it lands. The race's and the editor's HUDs derive from it.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/countdown_timer.h"
#include "core/math/vector.h"
#include "ui/widgets/kinds/ui_number.h"

class QORPower;
class QORPowerFlight;
class QORBoardView;

namespace ui {
class UIWidget;
}

class QORWellUI {
 public:
  static constexpr int32_t kPowerCount = 9;
  static constexpr int32_t kMaxPowerCount = 9;
  static constexpr int32_t kColorCount = 24;
  static constexpr const char* kPanel = "ui/game_screen.ui";
  static constexpr const char* kPopupPanel = "ui/treasurefound.ui";
  static constexpr const char* kNumberFont = "img/popup_number.lua";
  // The treasure popup shows this long after an award.
  static constexpr float kPopupSeconds = 2.5f;
  // The time turns from red to white over the level's first seconds.
  static constexpr int32_t kTimeFadeSeconds = 10;
  // The hint of power n's button is this id + n - 1.
  static constexpr int32_t kFirstPowerHint = 74;
  // The share of a plate's width its number may take.
  static constexpr float kPlateFill = 0.92f;

  explicit QORWellUI(QORBoardView* board);
  // Derived HUDs are deleted through the base.
  virtual ~QORWellUI();
  QORWellUI(const QORWellUI&) = delete;
  QORWellUI& operator=(const QORWellUI&) = delete;

  virtual void Init();
  virtual void Hide();
  virtual void Draw();
  virtual void Tick(float dt);
  virtual void RefreshColors() {}
  virtual void ReadColorSwitches(uint8_t[kColorCount]) {}
  virtual bool OnMouseMove(const math::Vec2& point);
  // Nothing while the board moves; otherwise the armed power acts and is
  // disarmed whatever it did.
  virtual void UsePower(const math::Vec2& point);
  virtual void CancelPower(const math::Vec2& point);

  // Index 0 to 8 (others are ignored): arms the power when its count is at
  // least 1, or disarms it when it is the armed one.
  void SelectPower(int32_t index);
  void DecrementPower(int32_t index);
  // The icon of power index + 1 flies from the board point to its count;
  // with the popup flag the treasure popup announces it.
  void AwardPower(const math::Vec2& from, int32_t index, bool popup);
  // Brings the buttons up to date with the counts when asked to, cutting a
  // count above 9 back to 9.
  void RefreshPowerButtons();
  void RequestRefresh() { refresh_ = 1; }

  void ShowInstructions(const std::string& textId);
  void ClearInstructions();

  int32_t GetScore() const { return score_; }
  void SetScore(int32_t score) { score_ = score; }
  int32_t GetElapsedSeconds() const { return elapsedSeconds_; }
  void SetElapsedSeconds(int32_t seconds) { elapsedSeconds_ = seconds; }
  int32_t GetGold() const { return gold_; }
  void SetGold(int32_t gold) { gold_ = gold; }
  bool IsTutorialDone() const { return tutorialDone_ != 0; }
  void SetTutorialDone(bool done) { tutorialDone_ = done ? 1 : 0; }
  bool NeedsRefresh() const { return refresh_ != 0; }
  QORPower* GetArmedPower() const { return armed_; }
  QORPower* GetPower(int32_t index) const;
  CountdownTimer& GetPopupTimer() { return popupTimer_; }
  const std::vector<std::unique_ptr<QORPowerFlight>>& GetFlights() const { return flights_; }

  // Match statistics: colours outside 0 .. 23 are not counted.
  void AddPassScore(int32_t score) { passScoreTotal_ += score; }
  void AddClearedBlock(int32_t color);
  int32_t GetPassScoreTotal() const { return passScoreTotal_; }
  int32_t GetClearedOfColor(int32_t color) const;
  void AddTreasureFound() { ++treasuresFound_; }
  int32_t GetTreasuresFound() const { return treasuresFound_; }

  ui::UIWidget* GetPanel() const { return panel_; }
  ui::UIWidget* GetPopup() const { return popup_; }
  ui::UIWidget* GetButton(int32_t index) const { return IsPowerIndex(index) ? buttons_[index] : nullptr; }
  ui::UIWidget* GetCountWidget(int32_t index) const { return IsPowerIndex(index) ? counts_[index] : nullptr; }
  const ui::UINumber& GetNumberFont() const { return numbers_; }

  static bool IsPowerIndex(int32_t index) { return index >= 0 && index < kPowerCount; }

 protected:
  void TickPowerFlights(float dt);
  void DrawPowerFlights();
  float FitScale(const ui::UIWidget* plate, int32_t value) const;

  int32_t score_ = 0;
  int32_t elapsedSeconds_ = 0;
  int32_t gold_ = 0;
  ui::UIWidget* panel_ = nullptr;
  ui::UIWidget* scoreBox_ = nullptr;
  ui::UIWidget* timeBox_ = nullptr;
  ui::UIWidget* goldBox_ = nullptr;
  ui::UIWidget* instructions_ = nullptr;
  ui::UINumber numbers_;
  QORBoardView* board_;
  std::unique_ptr<QORPower> powers_[kPowerCount];
  QORPower* armed_ = nullptr;
  ui::UIWidget* buttons_[kPowerCount] = {};
  ui::UIWidget* counts_[kPowerCount] = {};
  uint8_t refresh_ = 0;
  uint8_t tutorialDone_ = 1;
  ui::UIWidget* sandBottom_ = nullptr;
  ui::UIWidget* sandTop_ = nullptr;
  ui::UIWidget* sandEmitter_ = nullptr;
  ui::UIWidget* popup_ = nullptr;
  CountdownTimer popupTimer_{kPopupSeconds, -1.0f};
  std::vector<std::unique_ptr<QORPowerFlight>> flights_;
  int32_t passScoreTotal_ = 0;
  int32_t clearedOfColor_[kColorCount] = {};
  int32_t treasuresFound_ = 0;
};
