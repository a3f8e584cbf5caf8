// The scarab race's board: the level's start blocks place the racers (the
// first is the player's), its milestones taken three times make the course,
// and its barriers keep the racers on the track. The HUD takes the bet and
// counts down; the racers then fly until the player has passed the last
// waypoint, and the place decides the grade, the prize and the summary.
#pragma once
#include <cstdint>
#include <vector>

#include "board/qor_well.h"
#include "core/countdown_timer.h"

class QORRaceScarab;
class QORRaceUI;

class QORRaceWell : public QORWell {
 public:
  static constexpr int32_t kLaps = 3;
  // The lone scarab behind the summary flies this many more laps.
  static constexpr int32_t kLoneLaps = 5;
  static constexpr float kFinishSeconds = 1.2f;
  static constexpr int32_t kStartBlockType = 10;
  static constexpr int32_t kMilestoneType = 9;
  static constexpr float kBarrierRadius = 0.025f;
  // The friction of a barrier: velocity times e^(-kBarrierDrag / drag time).
  static constexpr float kBarrierDrag = 0.01f;
  // Prizes: the game variable of the power each of the first three places
  // adds one to, while its count is below the cap.
  static constexpr int32_t kPrizeVariables[3] = {12, 16, 11};
  static constexpr int32_t kPrizeCap = 9;
  static constexpr int kRightButton = 1;
  static constexpr const char* kTooFewRacers = "Need at least 2 scarabs to compete... MAKE MORE START BLOCKS!";

  explicit QORRaceWell(void* camera);
  ~QORRaceWell() override;

  void OnLevelStart() override;
  void Draw() override;
  void Tick(float dt) override;
  bool OnMouseMove(const math::Vec2& point) override;
  void OnMouseDrag(const math::Vec2&) override {}
  void OnLeftClick(const math::Vec2& point) override;
  void OnRightClick(const math::Vec2&) override {}
  void InitUI() override;
  void ShutdownUI() override;
  bool IsRace() override { return true; }

  // A held button: the player's scarab heads for the point, and sprints
  // with the right button.
  void SteerRacer(const math::Vec2& point, int button);
  void SetBet(int32_t bet) { bet_ = bet; }
  // Ends the betting: the countdown starts.
  void StartRace();

  // The grade a place earns: 5 for first down to 1 for fifth and below.
  static int32_t GradeOfPlace(int32_t place);
  // The place's power prize, with the current profile, while below the cap.
  static void AwardPrize(int32_t place);

  bool HasStarted() const { return started_ != 0; }
  void SetStarted(bool started) { started_ = started ? 1 : 0; }
  bool IsFinished() const { return finished_ != 0; }
  int32_t GetBet() const { return bet_; }
  int32_t GetPlace() const { return place_; }
  float GetRaceTime() const { return raceTime_; }
  const CountdownTimer& GetFinishTimer() const { return finishTimer_; }
  const std::vector<QORRaceScarab*>& GetRacers() const { return racers_; }
  const std::vector<well::Block*>& GetStartBlocks() const { return startBlocks_; }
  QORRaceUI* GetRaceUI() const;
  // The first racer while it is the player's; null without a start block
  // and after the finish.
  QORRaceScarab* GetPlayerRacer() const;

 protected:
  void CollectStartBlocks();
  void CollideRacers();
  void CollideWithBarriers(QORRaceScarab& racer);
  // The player is past the last waypoint and the finish timer ran out.
  void Finish();
  void UpdatePlaces(float dt);
  void DeleteRacers();
  // Every milestone in order, the given number of times, plus the offset.
  void AddCourse(QORRaceScarab& racer, int32_t laps, const math::Vec2& offset) const;

 private:
  std::vector<QORRaceScarab*> racers_;
  std::vector<well::Block*> startBlocks_;
  uint8_t started_ = 0;
  uint8_t finished_ = 0;
  int32_t bet_ = 0;
  int32_t place_ = 0;
  float raceTime_ = 0.0f;
  CountdownTimer finishTimer_{kFinishSeconds, kFinishSeconds};
};
