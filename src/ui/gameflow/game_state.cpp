#include "ui/gameflow/game_state.h"

#include "audio/audio.h"
#include "core/frame_timer.h"
#include "core/log.h"

namespace gameflow {

GameState::GameState() = default;

bool GameState::OnEnter() {
  LOG_LINE(MSG_COMMENT, "Entering game state " + name_);
  enterTime_ = GetFrameTimer().totalTime;
  active_ = true;
  return true;
}

bool GameState::OnExit() {
  LOG_LINE(MSG_COMMENT, "Exiting game state " + name_);
  // Plays nothing while the sound bank is not loaded.
  audio::GetAudio().PlaySound("screen_shift");
  active_ = false;
  return true;
}

bool GameState::Tick(float dt) {
  if (fadeMode_ != kNoFade) {
    fadeTimer_.Tick(dt);
    if (fadeTimer_.IsExpired()) fadeMode_ = kNoFade;
  }
  ++frameCount_;
  return true;
}

void GameState::RestartFadeIn() {
  fadeMode_ = kFadeIn;
  fadeTimer_.remaining = fadeTimer_.period;
  frameCount_ = 0;
}

}  // namespace gameflow
