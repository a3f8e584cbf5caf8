// The screens that close a level. The level-won screen glides the view back
// along the explorer's way to the entrance, fills the score summary with
// counting numbers, stamps the grade, lights a star a second up to it and
// plays the level-complete music; the defeat screen shows its panel with
// the same music. Either moves on to the looping menu music once the first
// piece has ended.
#pragma once
#include <cstdint>
#include <memory>

#include "core/math/vector.h"
#include "well/game_end.h"
#include "well/well_path.h"

class QORBoardView;
namespace part2d {
class Part2D;
}
namespace ui {
class UIWidget;
}

// A won level's points and grade, in 32-bit floats as the summary shows them.
struct QORLevelGrade {
  static constexpr float kTimePoints = 5000.0f;
  static constexpr float kCritterPoints = 1000.0f;
  static constexpr float kTilePoints = 25.0f;
  static constexpr float kTreasurePoints = 3000.0f;

  // The time fraction is what is left of the level timer's 360 s, 0 to 1.
  static QORLevelGrade Of(int32_t crittersKilled, int32_t tilesBroken, int32_t tileTotal, int32_t treasuresFound,
                          int32_t treasureTotal, int32_t nestFlag, float timeFraction);

  float time = 0.0f;
  float critters = 0.0f;
  float tiles = 0.0f;
  float treasures = 0.0f;
  float score = 0.0f;
  float maximum = 0.0f;
  // The stamp image of a grade: 5 "a" down to 2 "d", any other "f".
  static const char* StampOf(int32_t grade);

  // 1 to 5; a score exactly at a threshold falls to the lower grade.
  int32_t grade = 1;
};

// The way the won screen's camera travels: over every cell with floor.
class QORWinPath : public well::WellPath {
 public:
  explicit QORWinPath(QORBoardView* board);
  int32_t GetCellCost(int32_t x, int32_t y) override;

 private:
  QORBoardView* board_;
};

// Asks for the looping menu music once the piece it started has ended, and
// only once: music that does not start is not asked for again every frame.
class QORMenuCue {
 public:
  static constexpr const char* kLevelComplete = "sounds/Level Complete Cue.ogg";
  static constexpr const char* kMenu = "sounds/Menu Cue.ogg";

  // Starts the level-complete cue.
  QORMenuCue();
  void Tick();
  uint32_t GetChannel() const { return channel_; }

 private:
  uint32_t channel_ = 0;
  uint8_t menuAsked_ = 0;
};

class QORGameWon : public well::GameEnd {
 public:
  static constexpr float kBeatSeconds = 0.5f;
  static constexpr int32_t kStarCount = 5;
  static constexpr int kStarBurst = 100;
  static constexpr const char* kSummaryPanel = "score_summary";

  explicit QORGameWon(QORBoardView* board);
  ~QORGameWon() override;

  // Takes the summary panel and fills it with the level's values; the
  // board calls it right after making the screen.
  void ShowSummary(int32_t tilesBroken, int32_t tileTotal, int32_t treasuresFound, int32_t treasureTotal,
                   int32_t crittersKilled, int32_t nestFlag, int32_t grade, float timeBonus, float critterScore,
                   float treasureScore, float tileScore);

  void DrawOverlay() override;
  void Tick(float dt) override;
  void OnTimer() override;

  int32_t GetGrade() const { return grade_; }
  const math::Vec2& GetCameraStart() const { return cameraStart_; }
  const math::Vec2& GetCameraTarget() const { return cameraTarget_; }
  const QORMenuCue& GetMusic() const { return music_; }

 private:
  // The cell's position in board space.
  math::Vec2 BoardPositionOf(int32_t x, int32_t y) const;
  void LightStars();
  // A row of the summary: its widgets shown, dimmed with empty numbers when
  // the level had nothing of the kind.
  void ShowRow(const char* const names[5], bool dimmed);

  QORBoardView* board_;
  std::unique_ptr<QORWinPath> cameraPath_;
  math::Vec2 cameraStart_;
  math::Vec2 cameraTarget_;
  int32_t grade_ = 0;
  ui::UIWidget* stars_[kStarCount] = {};
  std::unique_ptr<part2d::Part2D> starParticles_;
  QORMenuCue music_;
};

class QORGameLost : public well::GameEnd {
 public:
  static constexpr const char* kPanelFile = "ui/qor_defeat.ui";
  static constexpr float kBeatSeconds = 1.0f;

  explicit QORGameLost(QORBoardView* board);

  void Tick(float dt) override;
  // The sequence counts as finished after its first beat.
  void OnTimer() override { Start(); }

  const QORMenuCue& GetMusic() const { return music_; }

 private:
  QORMenuCue music_;
};
