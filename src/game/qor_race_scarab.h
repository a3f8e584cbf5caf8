// One racer of the scarab race: the player's yellow scarab or a computer
// scarab. It flies through its list of waypoints in board space, turning at
// its own rate, pushed by its acceleration and held back by drag; a sprint
// trebles its top speed at the cost of stamina, with its own smoke and a
// trail behind it.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "board/walkers/qor_trail.h"
#include "core/countdown_timer.h"
#include "core/math/angle_seek.h"
#include "core/math/vector.h"
#include "render/sprites/ui_sprite.h"

class QORRaceWell;
namespace part2d {
class Part2D;
}

class QORRaceScarab {
 public:
  static constexpr float kStamina = 2.0f;
  static constexpr float kStaminaRegeneration = 0.2f;
  // Stamina comes back at this many times the regeneration a second.
  static constexpr float kRegenerationFactor = 2.5f;
  // A sprint needs more than this much stamina.
  static constexpr float kSprintThreshold = 0.05f;
  static constexpr float kTopSpeed = 0.4f;
  static constexpr float kSprintSpeedFactor = 3.0f;
  static constexpr float kDragTime = 0.99f;
  static constexpr float kFinishedDragTime = 0.9f;
  // A waypoint this near is passed.
  static constexpr float kWaypointReach = 0.36f;
  static constexpr float kSmokeSpacing = 0.025f;
  static constexpr float kPlayerSprintSeconds = 0.1f;
  static constexpr float kComputerSprintSeconds = 0.5f;
  static constexpr float kSprintDecisionSeconds = 1.5f;
  static constexpr float kStopSeconds = 1.0f;
  static constexpr float kTrailInterval = 0.1f;
  static constexpr float kTrailSeconds = 1.2f;
  static constexpr float kTrailWidth = 0.025f;
  static constexpr float kDegreesPerRadian = 57.2957f;
  static constexpr const char* kRunImage = "Scarab_run_";
  static constexpr const char* kFlyImage = "Scarab_fly_";
  static constexpr const char* kTrailTexture = "img/scarab_trail.png";
  static constexpr const char* kSmoke = "effects/scarabsmoke.p2d";
  static constexpr const char* kSprintSmoke = "effects/scarabsprintsmoke.p2d";

  QORRaceScarab(QORRaceWell* board, bool isPlayer);
  ~QORRaceScarab();
  QORRaceScarab(const QORRaceScarab&) = delete;
  QORRaceScarab& operator=(const QORRaceScarab&) = delete;

  // The sprite, stamina, handling and effects, the racer at the position.
  void Setup(const math::Vec2& position, float speedValue);
  void Tick(float dt);
  void Sprint();
  // Aims at the next waypoint (or the steer target), turns, thrusts.
  void Steer(float dt);
  // How far along the course: 10 a waypoint passed, plus the way made
  // towards the next.
  float GetProgress() const;
  // Whether the screen point lies on the sprite (its box at the point plus
  // the scroll).
  bool HitTest(const math::Vec2& point) const;
  // The sprite turned by the heading at the position minus the scroll, its
  // smoke, and while sprinting its trail.
  void Draw();
  // The remaining course in grey, the way to the next waypoint and its ring.
  void DrawDebugPath();

  // The heading the racer turns to face the point with.
  static float AimAt(const math::Vec2& from, const math::Vec2& to);
  // Heading 0 points up the screen.
  static math::Vec2 HeadingVector(float degrees);

  void SetColorName(const std::string& name) { colorName_ = name; }
  const std::string& GetColorName() const { return colorName_; }
  void AddWaypoint(const math::Vec2& point) { waypoints_.push_back(point); }
  const std::vector<math::Vec2>& GetWaypoints() const { return waypoints_; }
  int32_t GetNextWaypoint() const { return nextWaypoint_; }
  bool IsPastLastWaypoint() const { return nextWaypoint_ >= static_cast<int32_t>(waypoints_.size()); }
  // Faces the first waypoint, when there is one.
  void FaceFirstWaypoint();
  void SetSteerTarget(const math::Vec2& target) {
    steerTarget_ = target;
    steering_ = 1;
  }
  bool IsPlayer() const { return isPlayer_ != 0; }
  bool IsSprinting() const { return sprinting_ != 0; }
  bool IsSteering() const { return steering_ != 0; }

  math::Vec2& Position() { return position_; }
  math::Vec2& Velocity() { return velocity_; }
  const math::Vec2& GetPosition() const { return position_; }
  const math::Vec2& GetVelocity() const { return velocity_; }
  float GetHeading() const { return heading_.current; }
  float GetTargetHeading() const { return heading_.target; }
  float GetRadius() const { return radius_; }
  float GetDragTime() const { return dragTime_; }
  float GetStamina() const { return stamina_; }
  float GetMaxStamina() const { return maxStamina_; }
  void SetStamina(float stamina) { stamina_ = stamina; }
  float GetSkill() const { return skill_; }
  void SetSkill(float skill) { skill_ = skill; }
  float GetAcceleration() const { return acceleration_; }
  float GetTurnRate() const { return heading_.rate; }
  const CountdownTimer& GetSprintTimer() const { return sprintTimer_; }
  const ui::UISprite& GetSprite() const { return sprite_; }
  const QORTrail& GetTrail() const { return trail_; }

 private:
  void ShowImage(const char* prefix);
  void EmitSmoke(float dt);
  math::Vec2 GetScroll() const;
  bool HasStarted() const;

  QORRaceWell* board_;
  ui::UISprite sprite_;
  math::Vec2 position_;
  math::AngleSeek heading_{0.0f, 0.0f, 180.0f};
  math::Vec2 velocity_;
  uint8_t isPlayer_;
  math::Vec2 steerTarget_;
  uint8_t steering_ = 0;
  float maxStamina_ = kStamina;
  float stamina_ = kStamina;
  float staminaRegeneration_ = kStaminaRegeneration;
  float topSpeed_ = kTopSpeed;
  float radius_ = 0.0f;
  float acceleration_ = 0.0f;
  float dragTime_ = kDragTime;
  std::vector<math::Vec2> waypoints_;
  int32_t nextWaypoint_ = 0;
  QORTrail trail_;
  std::string colorName_;
  uint8_t sprinting_ = 0;
  CountdownTimer sprintTimer_{kPlayerSprintSeconds, kPlayerSprintSeconds};
  CountdownTimer sprintDecisionTimer_{kSprintDecisionSeconds, kSprintDecisionSeconds};
  CountdownTimer stopTimer_{kStopSeconds, kStopSeconds};
  std::unique_ptr<part2d::Part2D> smoke_;
  std::unique_ptr<part2d::Part2D> sprintSmoke_;
  float smokeDistance_ = 0.0f;
  float skill_ = 1.0f;
};
