// The wave that opens a level on the game board: the tokens fade in one
// after another, spreading from the explorer's cell, each with a blue burst
// and a spray of sparks; the first one to appear plays the flash's sound.
#pragma once
#include <cstdint>

#include "board/effects/qor_grid_wave.h"

class QORExplorer;
class QORBoardView;
class QORWellSFX;

namespace well {
class Block;
}

class QORStartFlash : public QORGridWave {
 public:
  static constexpr float kDuration = 0.7f;

  // None of the three is owned; the effects owner and the explorer may be null.
  QORStartFlash(int32_t width, int32_t height, QORBoardView* board, QORWellSFX* effects, QORExplorer* explorer);

  float GetDuration() override { return kDuration; }
  // 0.4 s under the explorer, 0.14 s later for each step of Manhattan distance.
  float GetDelay(int32_t x, int32_t y) override;
  void OnCellProgress(int32_t x, int32_t y, float t) override;
  void OnCellStart(int32_t x, int32_t y) override;
  void OnCellEnd(int32_t x, int32_t y) override;
  void ResetCell(int32_t x, int32_t y) override;

  bool HasPlayedSound() const { return soundPlayed_ != 0; }

 private:
  // The plain token on the cell, else null: other cells take part in the
  // timing only.
  well::Block* TokenAt(int32_t x, int32_t y) const;

  QORBoardView* board_;
  QORWellSFX* effects_;
  QORExplorer* explorer_;
  uint8_t soundPlayed_ = 0;
};
