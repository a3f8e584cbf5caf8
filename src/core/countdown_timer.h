// A countdown its owner arms, ticks with the frame delta and queries.
#pragma once

class CountdownTimer {
 public:
  CountdownTimer() = default;
  CountdownTimer(float periodSeconds, float remainingSeconds)
      : period(periodSeconds), remaining(remainingSeconds) {}
  virtual ~CountdownTimer() = default;

  virtual void Tick(float dt) { remaining -= dt; }
  bool IsExpired() const { return remaining < 0.0f; }
  // 0 when freshly armed, 1 at expiry and after; 1 for a period of 0 or less.
  float GetProgress() const;

  float period = 0.0f;
  float remaining = 0.0f;
};
