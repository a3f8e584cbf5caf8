// The base of every state the game-flow manager runs: its name, the entry
// and exit bookkeeping, the fade a change of state starts, and the number of
// frames since then.
#pragma once
#include <string>

#include "core/countdown_timer.h"

namespace gameflow {

class GameState {
 public:
  // Fade modes: the overlay goes from opaque to clear, or any other non-zero
  // value from clear to opaque.
  static constexpr int kNoFade = 0;
  static constexpr int kFadeIn = 1;
  static constexpr float kFadeSeconds = 0.9f;

  GameState();
  virtual ~GameState() = default;
  GameState(const GameState&) = delete;
  GameState& operator=(const GameState&) = delete;

  virtual bool OnEnter();
  virtual bool OnExit();
  virtual bool Tick(float dt);
  // True when the frame was drawn and presented.
  virtual bool Render() = 0;
  // The window regained or lost the focus.
  virtual void OnResume() {}
  virtual void OnPause() {}

  // A change of state towards this one fades it in from the overlay colour
  // and counts its frames afresh.
  void RestartFadeIn();

  const std::string& GetName() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }
  float GetEnterTime() const { return enterTime_; }
  bool IsActive() const { return active_; }
  int GetFadeMode() const { return fadeMode_; }
  const CountdownTimer& GetFadeTimer() const { return fadeTimer_; }
  int GetFrameCount() const { return frameCount_; }

 private:
  std::string name_ = "Base State";
  float enterTime_ = 0.0f;
  bool active_ = false;
  int fadeMode_ = kNoFade;
  CountdownTimer fadeTimer_{kFadeSeconds, kFadeSeconds};
  int frameCount_ = 0;
};

}  // namespace gameflow
