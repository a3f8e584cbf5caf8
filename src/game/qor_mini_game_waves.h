// The picture puzzle's three token animations over its 6 x 5 grid of slots:
// the opening drop of the dealt tokens, the closing of the finished picture
// and the falling apart of a lost one. A cell of a wave is a slot; it moves
// the token lying in that slot.
#pragma once
#include <cstdint>
#include <vector>

#include "board/effects/qor_grid_wave.h"
#include "core/math/vector.h"

class QORMiniGameState;
class QORPuzzleToken;

class QORMiniGameWave : public QORGridWave {
 public:
  explicit QORMiniGameWave(QORMiniGameState& state);

 protected:
  // The token in slot (c, r), or null when the puzzle has none.
  QORPuzzleToken* TokenAt(int32_t c, int32_t r) const;
  void PlaceToken(int32_t c, int32_t r, const math::Vec2& position) const;

  QORMiniGameState& state_;
};

// The tokens drop one screen into their slots, the bottom row first, each
// landing with a bounce and a burst of sand.
class QORMiniGamePlayWave : public QORMiniGameWave {
 public:
  static constexpr float kDuration = 0.75f;
  static constexpr float kTokenShade = 0.65f;

  explicit QORMiniGamePlayWave(QORMiniGameState& state);

  float GetDuration() override { return kDuration; }
  float GetDelay(int32_t c, int32_t r) override;
  void OnCellProgress(int32_t c, int32_t r, float t) override;
  void OnCellStart(int32_t, int32_t) override {}
  void OnCellEnd(int32_t c, int32_t r) override;
  void ResetCell(int32_t c, int32_t r) override;

 private:
  // One flag per slot, set when its token first passes the landing.
  std::vector<uint8_t> landed_;
};

// The closing waves start every token at its slot and keep the menu music
// going once their own cue has played out.
class QORMiniGameClosingWave : public QORMiniGameWave {
 public:
  static constexpr const char* kCueMusic = "sounds/Level Complete Cue.ogg";
  static constexpr const char* kMenuMusic = "sounds/Menu Cue.ogg";

  // Plays the cue once at the factor.
  QORMiniGameClosingWave(QORMiniGameState& state, float cueFactor);

  bool Tick(float dt) override;
  void OnCellStart(int32_t, int32_t) override {}
  void ResetCell(int32_t c, int32_t r) override;
  // The cue's channel, then the menu music's once the cue has played out.
  uint32_t GetMusicChannel() const { return musicChannel_; }

 private:
  uint32_t musicChannel_ = 0;
};

// The tokens close up edge to edge, the middle columns first.
class QORMiniGameWonWave : public QORMiniGameClosingWave {
 public:
  static constexpr float kDuration = 0.3f;

  explicit QORMiniGameWonWave(QORMiniGameState& state);

  float GetDuration() override { return kDuration; }
  float GetDelay(int32_t c, int32_t r) override;
  void OnCellProgress(int32_t c, int32_t r, float t) override;
  void OnCellEnd(int32_t c, int32_t r) override;
};

// The tokens fall off the bottom of the screen, the bottom row first,
// spreading out from the middle.
class QORMiniGameLostWave : public QORMiniGameClosingWave {
 public:
  static constexpr float kDuration = 0.9f;

  explicit QORMiniGameLostWave(QORMiniGameState& state);

  float GetDuration() override { return kDuration; }
  float GetDelay(int32_t c, int32_t r) override;
  void OnCellProgress(int32_t c, int32_t r, float t) override;
  void OnCellEnd(int32_t, int32_t) override {}
};
