// The picture puzzle, registered as "minigame": a picture cut into 6 x 5
// tokens, dealt shuffled into a grid of slots; the player swaps pairs of
// tokens until each lies in its own slot, against a sand timer. The scripts
// choose the picture ("SetMiniGameImage") before entering and hear the
// result through "WonPuzzle(grade)" or "LoosePuzzle()".
#pragma once
#include <cstdint>
#include <list>
#include <memory>
#include <string>

#include "core/countdown_timer.h"
#include "core/math/vector.h"
#include "render/sprites/ui_sprite.h"
#include "ui/gameflow/game_screen.h"

class QORGridWave;
class QORMiniGamePlayWave;
class QORPuzzleToken;

namespace part2d {
class Part2D;
}

namespace ui {
class UIPart2DWidget;
class UIProgress;
class UIWidget;
}  // namespace ui

class QORMiniGameState : public gameflow::GameScreen {
 public:
  static constexpr int32_t kColumns = 6;
  static constexpr int32_t kRows = 5;
  static constexpr int32_t kPieceCount = kColumns * kRows;
  // Screen fractions of the 800 x 600 screen.
  static constexpr float kTokenWidth = 0.09375f;
  static constexpr float kTokenHeight = 0.15f;
  static constexpr float kSlotLeft = 0.06875f;
  static constexpr float kSlotTop = 0.09166667f;
  static constexpr float kSlotStepX = 0.09625f;
  static constexpr float kSlotStepY = 0.15333334f;
  // A piece's cut of a 512 x 512 picture: 75 x 90 texels.
  static constexpr float kPieceU = 0.146484375f;
  static constexpr float kPieceV = 0.17578125f;
  static constexpr float kTimeLimit = 180.0f;
  static constexpr float kWinDelay = 2.0f;
  static constexpr float kFitFlashSeconds = 1.0f;
  static constexpr float kSwapSeconds = 0.7f;
  // Seconds between grains of the timer's sand while the clock runs.
  static constexpr float kSandFlow = 0.005f;
  static constexpr int kGrainsPerBurst = 25;
  static constexpr uint32_t kHighlight = 0xFFFFCCCCu;
  static constexpr const char* kPanelFile = "ui/minigame.ui";
  static constexpr const char* kPauseFile = "ui/minipause.ui";
  static constexpr const char* kSandFile = "effects/sand_minigame.p2d";
  static constexpr const char* kMusic = "sounds/Puzzle Cue.ogg";

  // The camera is the application's.
  explicit QORMiniGameState(camera::PerspectiveCamera* camera);
  ~QORMiniGameState() override;

  // Deals the puzzle anew with the current picture.
  bool OnEnter() override;
  bool OnExit() override;
  bool Tick(float dt) override;
  // The window lost the focus: the puzzle pauses, unless a wave runs.
  void OnPause() override;
  // The flying tokens, the sand bursts, the fit flashes and the clock.
  bool PostRenderUI() override;
  void OnMouseDown(const input::MouseButton* button, const math::Vec2* point) override;

  void SetPicture(const std::string& name) { pictureName_ = name; }
  const std::string& GetPicture() const { return pictureName_; }
  // No pause while a wave runs.
  void TogglePause();

  // Top-left corner of slot 6 r + c.
  static math::Vec2 SlotPosition(int32_t slot);
  // Where token (c, r) lies in the finished picture: edge to edge.
  static math::Vec2 ClosedPosition(int32_t column, int32_t row);
  static void PieceUVs(int32_t piece, math::Vec2& uvMin, math::Vec2& uvMax);
  // 5 below half the limit, one less for each further tenth, 1 from 0.8 on.
  static int32_t Grade(float elapsed, float limit);
  // From start to end along an arc bulging sideways by `bulge`; t in 0 .. 1.
  static math::Vec2 FlightPoint(const math::Vec2& start, const math::Vec2& end, float t, float bulge);

  // 25 grains of sand along the bottom edge of slot (column, row).
  void SandBurst(int32_t row, int32_t column);

  // Null before the first deal on a loaded panel.
  QORPuzzleToken* GetToken(int32_t piece) const;
  QORPuzzleToken* GetTokenInSlot(int32_t slot) const;
  int32_t GetSlot(int32_t piece) const;
  // -1 when none is selected.
  int32_t GetFirstIndex() const { return first_ ? firstIndex_ : -1; }
  int32_t GetSecondIndex() const { return second_ ? secondIndex_ : -1; }
  bool IsSwapping() const { return swapping_; }
  bool IsDone() const { return done_; }
  bool IsComplete() const { return complete_; }
  bool IsPaused() const { return paused_; }
  float GetElapsed() const { return elapsed_; }
  float GetLimit() const { return limit_; }
  bool IsWaveRunning() const { return openingWave_ || closingWave_; }
  QORGridWave* GetOpeningWave() const;
  QORGridWave* GetClosingWave() const { return closingWave_.get(); }
  part2d::Part2D* GetSand() const { return sand_.get(); }
  size_t GetFitFlashCount() const { return fitFlashes_.size(); }

 private:
  struct FitFlash {
    int32_t column, row;
    CountdownTimer timer{kFitFlashSeconds, kFitFlashSeconds};
  };

  ui::UIWidget* FirstPanel() const;
  // The pause panel while the UI manager still lists it.
  ui::UIWidget* PausePanel() const;
  // The tokens of the panel, made on the first deal.
  void FindOrMakeTokens(ui::UIWidget* panel);
  // The picture on every token, the tokens dealt and the opening wave started.
  void UpdateImage(const std::string& picture);
  void Shuffle();
  bool IsHome(int32_t piece) const { return pieces_[piece] == piece; }
  void ClearSelection();
  void Select(int32_t piece);
  void SetSandEmission(float seconds);
  void Highlight();
  void TickSwap(float dt);
  // The flight lands: the two pieces exchange their slots.
  void EndSwap();
  // The flight is called off: both tokens back in view at their slots.
  void CancelSwap();
  void CheckComplete();
  void Lose();
  void TickWinDelay(float dt);
  void TickFitFlashes(float dt);
  void DrawFlight();
  void DrawFitFlashes();

  QORPuzzleToken* tokens_[kPieceCount] = {};
  QORPuzzleToken* first_ = nullptr;
  QORPuzzleToken* second_ = nullptr;
  // Kept only when of the right kind; the UI manager's.
  ui::UIProgress* sandBottom_ = nullptr;
  ui::UIProgress* sandTop_ = nullptr;
  ui::UIPart2DWidget* sandEmitter_ = nullptr;
  CountdownTimer swapTimer_{kSwapSeconds, kSwapSeconds};
  math::Vec2 flightStart_, flightEnd_;
  bool swapping_ = false;
  // The slot each piece lies in.
  int32_t pieces_[kPieceCount] = {};
  int32_t firstIndex_ = -1;
  int32_t secondIndex_ = -1;
  // The time ran out.
  bool done_ = false;
  std::unique_ptr<QORMiniGamePlayWave> openingWave_;
  std::unique_ptr<QORGridWave> closingWave_;
  std::string pictureName_;
  ui::UIWidget* pausePanel_ = nullptr;
  float elapsed_ = 0.0f;
  float limit_ = kTimeLimit;
  bool paused_ = false;
  std::unique_ptr<part2d::Part2D> sand_;
  std::list<FitFlash> fitFlashes_;
  // The whole picture; draws the fit flashes.
  ui::UISprite picture_;
  CountdownTimer winDelay_{kWinDelay, kWinDelay};
  bool complete_ = false;
};
