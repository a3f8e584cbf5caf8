#include "game/qor_mini_game_waves.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "audio/audio.h"
#include "game/qor_mini_game_state.h"
#include "game/qor_puzzle_token.h"
#include "render/device/graphics.h"

namespace {

// The waves' own approximation of pi, kept for their timing.
constexpr float kWavePi = 3.14f;

int32_t SlotOf(int32_t c, int32_t r) { return r * QORMiniGameState::kColumns + c; }
math::Vec2 SlotAt(int32_t c, int32_t r) { return QORMiniGameState::SlotPosition(SlotOf(c, r)); }

}  // namespace

QORMiniGameWave::QORMiniGameWave(QORMiniGameState& state)
    : QORGridWave(QORMiniGameState::kColumns, QORMiniGameState::kRows), state_(state) {}

QORPuzzleToken* QORMiniGameWave::TokenAt(int32_t c, int32_t r) const { return state_.GetTokenInSlot(SlotOf(c, r)); }

void QORMiniGameWave::PlaceToken(int32_t c, int32_t r, const math::Vec2& position) const {
  if (QORPuzzleToken* token = TokenAt(c, r)) token->SetPositionRelativeToParent(position);
}

// --- The opening drop.

QORMiniGamePlayWave::QORMiniGamePlayWave(QORMiniGameState& state)
    : QORMiniGameWave(state), landed_(QORMiniGameState::kPieceCount, 0) {}

float QORMiniGamePlayWave::GetDelay(int32_t c, int32_t r) {
  return kDuration * static_cast<float>((5 - r) * 4 + c) * 0.3f + 0.2f;
}

void QORMiniGamePlayWave::ResetCell(int32_t c, int32_t r) {
  landed_[static_cast<size_t>(SlotOf(c, r))] = 0;
  QORPuzzleToken* token = TokenAt(c, r);
  if (!token) return;
  token->SetPositionRelativeToParent(SlotAt(c, r) - math::Vec2{0.0f, 1.0f});
  token->SetSize({QORMiniGameState::kTokenWidth, QORMiniGameState::kTokenHeight});
  token->SetTint(PackARGB(kTokenShade, kTokenShade, kTokenShade, 1.0f));
}

// Falls for the first three quarters of its time, then bounces where it landed.
void QORMiniGamePlayWave::OnCellProgress(int32_t c, int32_t r, float t) {
  if (!TokenAt(c, r)) return;
  const float e = std::min(1.0f, std::max(0.0f, 1.3333334f * t));
  math::Vec2 position = SlotAt(c, r) + math::Vec2{0.0f, -(1.0f - e)};
  if (t > 0.75f) {
    position.y += 0.005f * std::sin((t - e) * 4.0f * kWavePi);
    uint8_t& landed = landed_[static_cast<size_t>(SlotOf(c, r))];
    if (!landed) {
      landed = 1;
      state_.SandBurst(r, c);
      audio::GetAudio().PlaySound("button_press");
    }
  }
  PlaceToken(c, r, position);
}

void QORMiniGamePlayWave::OnCellEnd(int32_t c, int32_t r) {
  if (!TokenAt(c, r)) return;
  PlaceToken(c, r, SlotAt(c, r));
  audio::GetAudio().PlaySound("puzzle_landed");
}

// --- The closing waves.

QORMiniGameClosingWave::QORMiniGameClosingWave(QORMiniGameState& state, float cueFactor)
    : QORMiniGameWave(state), musicChannel_(audio::GetAudio().PlayMusic(kCueMusic, cueFactor, false)) {}

bool QORMiniGameClosingWave::Tick(float dt) {
  const bool ticked = QORGridWave::Tick(dt);
  if (!audio::GetAudio().IsChannelPlaying(musicChannel_))
    musicChannel_ = audio::GetAudio().PlayMusic(kMenuMusic, 1.0f, true);
  return ticked;
}

void QORMiniGameClosingWave::ResetCell(int32_t c, int32_t r) { PlaceToken(c, r, SlotAt(c, r)); }

QORMiniGameWonWave::QORMiniGameWonWave(QORMiniGameState& state) : QORMiniGameClosingWave(state, 1.0f) {}

// The middle columns first, then outwards.
float QORMiniGameWonWave::GetDelay(int32_t c, int32_t) {
  return kDuration * std::fabs(std::trunc(2.5f - static_cast<float>(c)));
}

void QORMiniGameWonWave::OnCellProgress(int32_t c, int32_t r, float t) {
  const math::Vec2 from = SlotAt(c, r);
  const math::Vec2 to = QORMiniGameState::ClosedPosition(c, r);
  math::Vec2 position = from + (to - from) * t;
  const float swing = std::sin(kWavePi * t) * 0.01f * std::fabs(std::trunc(static_cast<float>(c) + 0.5f - 3.0f));
  position.x += c < QORMiniGameState::kColumns / 2 ? -swing : swing;
  PlaceToken(c, r, position);
}

void QORMiniGameWonWave::OnCellEnd(int32_t c, int32_t r) { PlaceToken(c, r, QORMiniGameState::ClosedPosition(c, r)); }

QORMiniGameLostWave::QORMiniGameLostWave(QORMiniGameState& state) : QORMiniGameClosingWave(state, 0.5f) {}

// The bottom row first.
float QORMiniGameLostWave::GetDelay(int32_t, int32_t r) { return kDuration * static_cast<float>(5 - r); }

void QORMiniGameLostWave::OnCellProgress(int32_t c, int32_t r, float t) {
  const math::Vec2 slot = SlotAt(c, r);
  PlaceToken(c, r, {slot.x + (static_cast<float>(c) + 0.5f - 3.0f) * 0.1f * t, slot.y + t * (1.3f - slot.y)});
}
