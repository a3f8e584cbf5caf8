#include "game/qor_race_scarab.h"

#include <algorithm>
#include <cmath>

#include "core/math/random.h"
#include "game/qor_race_well.h"
#include "render/debug_draw/dd_man.h"
#include "render/fonts/font_manager.h"
#include "render/particles/part2d.h"

namespace {

constexpr float kMinAcceleration = 0.5f;
constexpr float kMaxAcceleration = 1.2f;
constexpr float kMinTurnRate = 100.0f;
constexpr float kMaxTurnRate = 150.0f;
// A computer racer sprints down a straight: facing its waypoint this well,
// with the waypoint farther than this.
constexpr float kSprintAim = 0.95f;
constexpr float kSprintDistance = 0.2f;
// A computer racer thrusts at least this much while turning.
constexpr float kMinThrust = 0.25f;
constexpr uint32_t kDebugColour = 0x80808080u;

}  // namespace

QORRaceScarab::QORRaceScarab(QORRaceWell* board, bool isPlayer) : board_(board), isPlayer_(isPlayer ? 1 : 0) {}

QORRaceScarab::~QORRaceScarab() = default;

float QORRaceScarab::AimAt(const math::Vec2& from, const math::Vec2& to) {
  return std::atan2(to.x - from.x, to.y - from.y) * kDegreesPerRadian + 180.0f;
}

math::Vec2 QORRaceScarab::HeadingVector(float degrees) {
  const float a = degrees / kDegreesPerRadian;
  return {-std::sin(a), -std::cos(a)};
}

math::Vec2 QORRaceScarab::GetScroll() const { return board_ ? board_->GetScroll() : math::Vec2(); }

bool QORRaceScarab::HasStarted() const { return board_ && board_->HasStarted(); }

void QORRaceScarab::ShowImage(const char* prefix) {
  sprite_.Setup(prefix + colorName_, math::Vec2(0.0f, 0.0f), math::Vec2(1.0f, 1.0f), false);
  sprite_.GetNativeSize(sprite_.size);
}

void QORRaceScarab::Setup(const math::Vec2& position, float speedValue) {
  num::Random& random = num::GetRandom();
  ShowImage(kRunImage);
  maxStamina_ = stamina_ = kStamina;
  radius_ = 0.25f * std::sqrt(sprite_.size.x * sprite_.size.x + sprite_.size.y * sprite_.size.y);
  position_ = position;
  acceleration_ = random.Range(kMinAcceleration, kMaxAcceleration);
  dragTime_ = kDragTime;
  topSpeed_ = random.Range(speedValue, speedValue);
  heading_.rate = random.Range(kMinTurnRate, kMaxTurnRate);
  staminaRegeneration_ = kStaminaRegeneration;
  sprintDecisionTimer_.remaining = random.Range(0.0f, kSprintDecisionSeconds);
  trail_.Init(kTrailInterval, kTrailSeconds);
  trail_.SetWidth(kTrailWidth);
  trail_.LoadTexture(kTrailTexture);
  smoke_ = std::make_unique<part2d::Part2D>();
  smoke_->Load(kSmoke);
  sprintSmoke_ = std::make_unique<part2d::Part2D>();
  sprintSmoke_->Load(kSprintSmoke);
}

void QORRaceScarab::FaceFirstWaypoint() {
  if (waypoints_.empty()) return;
  heading_.current = heading_.target = AimAt(position_, waypoints_.front());
}

void QORRaceScarab::Tick(float dt) {
  if (!board_) return;
  if (!IsPastLastWaypoint()) {
    sprite_.Tick(dt);
    EmitSmoke(dt);
  } else {
    stopTimer_.Tick(dt);
    if (!stopTimer_.IsExpired()) sprite_.Tick(dt * (1.0f - stopTimer_.GetProgress()));
  }
  if (smoke_) smoke_->Tick(dt);
  if (sprintSmoke_) sprintSmoke_->Tick(dt);
  trail_.Tick(dt);
  trail_.AddPoint(position_);

  if (sprinting_) {
    sprintTimer_.Tick(dt);
    stamina_ -= dt;
    if (sprintTimer_.IsExpired()) {
      sprinting_ = 0;
      ShowImage(kRunImage);
    }
  } else {
    stamina_ += kRegenerationFactor * staminaRegeneration_ * dt;
  }
  stamina_ = std::clamp(stamina_, 0.0f, maxStamina_);

  if (IsPastLastWaypoint()) dragTime_ = kFinishedDragTime;
  velocity_ = velocity_ * std::exp(-dt / dragTime_);
  Steer(dt);
  // A held button steers for the frame it was held in.
  steering_ = 0;
  position_ += velocity_ * (dt * skill_);
}

void QORRaceScarab::EmitSmoke(float dt) {
  smokeDistance_ += dt * velocity_.Magnitude();
  part2d::Part2D* smoke = sprinting_ ? sprintSmoke_.get() : smoke_.get();
  // The sprite stands at the position minus the scroll: plus the scroll is
  // the position itself.
  for (; smokeDistance_ >= kSmokeSpacing; smokeDistance_ -= kSmokeSpacing) {
    if (smoke) smoke->TriggerParticle(position_);
  }
}

void QORRaceScarab::Steer(float dt) {
  if (IsPastLastWaypoint() || !HasStarted()) return;
  const math::Vec2 waypoint = waypoints_[nextWaypoint_];
  math::Vec2 toWaypoint = waypoint - position_;
  const float distance = toWaypoint.Magnitude();
  if (distance < kWaypointReach) {
    ++nextWaypoint_;
    return;
  }
  toWaypoint = toWaypoint * (1.0f / distance);
  if (!isPlayer_) {
    heading_.target = AimAt(position_, waypoint);
  } else if (steering_) {
    heading_.target = AimAt(position_, steerTarget_);
  }
  if (!isPlayer_) {
    sprintDecisionTimer_.Tick(dt);
    if (math::Dot(HeadingVector(heading_.current), toWaypoint) > kSprintAim && distance > kSprintDistance &&
        sprintDecisionTimer_.IsExpired()) {
      sprintDecisionTimer_.remaining = sprintDecisionTimer_.period;
      Sprint();
    }
  }
  heading_.Update(dt);
  const math::Vec2 heading = HeadingVector(heading_.current);
  const float thrust = isPlayer_ ? 1.0f : std::clamp(math::Dot(heading, toWaypoint), kMinThrust, 1.0f);
  if (!isPlayer_ || steering_) {
    velocity_ += heading * (dt * thrust * acceleration_);
    velocity_.ClampMagnitude(topSpeed_ * (sprinting_ ? kSprintSpeedFactor : 1.0f));
    steering_ = 0;
  }
}

void QORRaceScarab::Sprint() {
  if (!isPlayer_) sprintTimer_.period = kComputerSprintSeconds;
  if (stamina_ <= kSprintThreshold) return;
  if (!sprinting_) {
    sprinting_ = 1;
    ShowImage(kFlyImage);
  }
  sprintTimer_.remaining = sprintTimer_.period;
}

float QORRaceScarab::GetProgress() const {
  const int32_t n = static_cast<int32_t>(waypoints_.size());
  const int32_t i = nextWaypoint_;
  const float passed = 10.0f * static_cast<float>(i);
  if (i >= n - 1) return passed;
  return passed + ((waypoints_[i + 1] - waypoints_[i]).Magnitude() - (waypoints_[i + 1] - position_).Magnitude());
}

bool QORRaceScarab::HitTest(const math::Vec2& point) const {
  const math::Vec2 at = point + GetScroll();
  const math::Vec2 half = sprite_.size * 0.5f;
  return at.x >= position_.x - half.x && at.x <= position_.x + half.x && at.y >= position_.y - half.y &&
         at.y <= position_.y + half.y;
}

void QORRaceScarab::Draw() {
  const math::Vec2 scroll = GetScroll();
  if (smoke_) smoke_->Draw(scroll, {0.0f, 0.0f}, {0.0f, 0.0f});
  if (sprintSmoke_) sprintSmoke_->Draw(scroll, {0.0f, 0.0f}, {0.0f, 0.0f});
  if (sprinting_) trail_.Render(scroll);
  sprite_.SetRect(position_ - scroll, sprite_.size, heading_.current, 0, 0xFFFFFFFFu);
  sprite_.RenderRotated();
}

void QORRaceScarab::DrawDebugPath() {
  const int32_t count = static_cast<int32_t>(waypoints_.size());
  if (nextWaypoint_ >= count) return;
  const math::Vec2 scroll = GetScroll();
  dd::Manager* debug = dd::GetManager();
  if (debug) {
    for (int32_t i = nextWaypoint_; i + 1 < count; ++i)
      debug->AddLine2D(waypoints_[i] - scroll, waypoints_[i + 1] - scroll, kDebugColour);
    debug->AddLine2D(position_ - scroll, waypoints_[nextWaypoint_] - scroll, kDebugColour);
    debug->AddCircle2D(waypoints_[nextWaypoint_] - scroll, kWaypointReach, kDebugColour);
  }
  if (FontManager* fonts = GetFontManager())
    fonts->Printf(position_ - scroll, "WP [%i/%i] ", nextWaypoint_, count);
}
