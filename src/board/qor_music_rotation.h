// The game-play music: three pieces, one of them streaming;
// when it ends another is drawn at random (possibly the same one again).
#pragma once
#include <cstdint>

class QORMusicRotation {
 public:
  static constexpr int kPieces = 3;

  // Starts one of "sounds/Game Play Cue 1.ogg" to "3.ogg" at random.
  void Build();
  // Starts a piece at random when the one playing has ended.
  void Tick();

  int GetIndex() const { return index_; }
  uint32_t GetChannel() const { return channel_; }

 private:
  void PlayRandomPiece();

  int index_ = 0;
  uint32_t channel_ = 0;
};
