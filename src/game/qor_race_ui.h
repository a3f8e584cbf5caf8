// The race's HUD: the betting panel until "StartRace", then four lights a
// second apart starting the race, the player's stamina, lap and place while
// it runs, and after the finish the summary's stars lit one a second and
// the prize shown.
#pragma once
#include <cstdint>
#include <memory>

#include "board/hud/qor_well_ui.h"
#include "core/countdown_timer.h"

class QORRaceScarab;
class QORRaceWell;
namespace part2d {
class Part2D;
}

class QORRaceUI : public QORWellUI {
 public:
  static constexpr const char* kRacePanel = "ui/race.ui";
  static constexpr const char* kBettingPanel = "ui/betting.ui";
  static constexpr const char* kSummaryPanel = "ui/race_summary.ui";
  static constexpr const char* kLightsPanel = "race_start";
  static constexpr const char* kStarParticles = "effects/add_star.p2d";
  static constexpr const char* kCountdownSound = "race countdown";
  static constexpr const char* kStarSound = "scarab strike";
  static constexpr int32_t kLightCount = 4;
  static constexpr int32_t kStarCount = 5;
  static constexpr float kDarkLight = 0.1f;
  static constexpr float kFirstLightSeconds = 2.0f;
  static constexpr float kLightSeconds = 1.0f;
  static constexpr int kStarBurst = 100;
  static constexpr int kPrizeBurst = 200;
  static constexpr int32_t kPrizeGrade = 3;

  explicit QORRaceUI(QORRaceWell* board);
  ~QORRaceUI() override;

  void Init() override;
  void Hide() override;
  void Draw() override;
  void Tick(float dt) override;

  // Light 1 to 4 in grey at the brightness.
  void SetLight(int32_t index, float value);
  void AnimateStars(float dt);
  // "StartRace": the betting ends.
  void EndBetting();

  bool IsBetting() const { return betting_ != 0; }
  void SetTotalLaps(int32_t laps) { totalLaps_ = laps; }
  void SetRacerCount(int32_t count) { racerCount_ = count; }
  void SetPlace(int32_t place) { place_ = place; }
  void SetCurrentLap(int32_t lap) { currentLap_ = lap; }
  // The racer whose stamina the bar shows; null forgets it, the bar keeping
  // its value.
  void SetPlayerRacer(QORRaceScarab* racer) { player_ = racer; }
  QORRaceScarab* GetPlayerRacer() const { return player_; }
  void SetStarsEarned(int32_t stars) { starsEarned_ = stars; }
  int32_t GetStarsEarned() const { return starsEarned_; }
  int32_t GetCurrentLap() const { return currentLap_; }
  int32_t GetLightsLit() const { return lightsLit_; }
  ui::UIWidget* GetSummaryPanel() const { return summary_; }
  ui::UIWidget* GetBettingPanel() const { return bettingPanel_; }
  ui::UIWidget* GetLightsPanel() const { return lights_; }
  ui::UIWidget* GetStaminaBar() const { return staminaBar_; }
  ui::UIWidget* GetStar(int32_t index) const { return index >= 0 && index < kStarCount ? stars_[index] : nullptr; }

 private:
  void TickCountdown(float dt);
  void LightNext();
  void ShowPrize();

  QORRaceWell* race_;
  ui::UIWidget* staminaBar_ = nullptr;
  ui::UIWidget* lapsText_ = nullptr;
  ui::UIWidget* placeText_ = nullptr;
  int32_t totalLaps_ = 3;
  int32_t currentLap_ = 1;
  int32_t racerCount_ = 0;
  int32_t place_ = 0;
  QORRaceScarab* player_ = nullptr;
  ui::UIWidget* bettingPanel_ = nullptr;
  uint8_t betting_ = 0;
  ui::UIWidget* lights_ = nullptr;
  int32_t lightsLit_ = 0;
  CountdownTimer lightTimer_{kFirstLightSeconds, kFirstLightSeconds};
  ui::UIWidget* summary_ = nullptr;
  ui::UIWidget* prize_ = nullptr;
  ui::UIWidget* youWon_ = nullptr;
  int32_t starsEarned_ = 0;
  ui::UIWidget* stars_[kStarCount] = {};
  std::unique_ptr<part2d::Part2D> starParticles_;
  float starTime_ = 0.0f;
  int32_t starsShown_ = 0;
  uint8_t prizeShown_ = 0;
};
