// The level's mini-map in the lower right corner: the board's floor, the
// treasures still to find, the exit tomb, the entrance, the explorer, the
// rival and the explorer's current target. A click on a treasure or a floor
// cell sends the explorer there. The map also finds the treasures the
// explorer walks past, and marks the target on the board with markers and
// sparkles until he arrives.
#pragma once
#include <cstdint>
#include <list>
#include <memory>
#include <vector>

#include "core/math/vector.h"
#include "render/sprites/baked_quads.h"
#include "render/sprites/ui_sprite.h"

class QORBoardView;
namespace well {
class Block;
}

// A treasure to find, or the exit tomb.
struct QORGoal {
  int32_t x = 0;
  int32_t y = 0;
  ui::UISprite sprite;
};

class QORGoalMap {
 public:
  // 213 x 124 pixels at the lower right of the screen.
  static constexpr float kPanelLeft = 0.72875f;
  static constexpr float kPanelTop = 0.78833336f;
  static constexpr float kPanelRight = 0.995f;
  static constexpr float kPanelBottom = 0.995f;
  // A board cell on the map: 4 x 4 pixels.
  static constexpr float kMiniCellWidth = 0.005f;
  static constexpr float kMiniCellHeight = 0.006666667f;
  // A goal or figure icon: 16 x 16 pixels.
  static constexpr float kIconWidth = 0.02f;
  static constexpr float kIconHeight = 0.026666667f;
  // The floor is drawn this many quads a batch.
  static constexpr uint32_t kQuadsPerDraw = 100;
  // The target sparkles this many particles a second per cell of its area.
  static constexpr float kSparklesPerSecond = 15.0f;

  explicit QORGoalMap(QORBoardView* board);
  ~QORGoalMap();
  QORGoalMap(const QORGoalMap&) = delete;
  QORGoalMap& operator=(const QORGoalMap&) = delete;

  // Reads the floor, the treasures and the exit off the board and aims at
  // the exit; the board calls it at level start.
  void Init();
  // Inside the panel, edges included.
  bool HitTest(const math::Vec2& point) const;
  // Sends the explorer to the goal or floor cell under the point; false
  // when the click was not taken.
  bool OnClick(const math::Vec2& point);
  // Aims at the block on the cell: the explorer heads for its bottom-left
  // cell. Nothing for an empty cell or an invisible blocker.
  void SetTarget(int32_t x, int32_t y);
  void SelectBlock(well::Block* block);
  void SelectExit();
  bool IsExplorerAtTarget() const;
  void Tick(float dt);
  void Draw();
  // Markers of two cells around a one-cell target, on the board.
  void PlaceTargetMarkers();
  // Every treasure within reach of the explorer's cell is found, each once.
  void CheckTreasureFound();

  // The power a treasure gives for a roll of 0 to 8: powers 3, 8 and 9 only
  // once the mummy, a spider or a rock has been met, else power 1.
  static int32_t TreasurePower(int32_t roll);

  bool IsOpen() const { return open_ != 0; }
  void SetOpen(bool open) { open_ = open ? 1 : 0; }
  const std::list<QORGoal>& GetGoals() const { return goals_; }
  int32_t GetTargetX() const { return targetX_; }
  int32_t GetTargetY() const { return targetY_; }
  int32_t GetTargetSize() const { return targetSize_; }
  int32_t GetClicks() const { return clicks_; }
  bool HasArrived() const { return arrived_ != 0; }
  int32_t GetTreasureTotal() const { return treasureTotal_; }
  int32_t GetTreasuresFound() const { return treasuresFound_; }
  float GetSparkleBudget() const { return sparkleBudget_; }
  const math::Vec2& GetOrigin() const { return origin_; }
  // The floor grid: 1 for floor, -1 for none; 0 off the map.
  int32_t GetFloor(int32_t x, int32_t y) const;

 private:
  // Where a goal's icon is drawn: one mini-cell up and left of its cell.
  math::Vec2 IconPosition(int32_t x, int32_t y) const;
  // What the floor's quads are built for: the map's origin on the screen
  // and the texture corners of the floor picture's first frame.
  struct FloorLayout {
    math::Vec2 origin;
    math::Vec2 uvMin;
    math::Vec2 uvMax;
    bool Matches(const FloorLayout& other) const;
  };
  // The quads built when the map or its layout changed, a hundred a draw,
  // into a picture of their own that each frame draws whole.
  void DrawFloor();
  void BuildFloor(const FloorLayout& layout);
  void DrawIcon(ui::UISprite& sprite, const math::Vec2& position, const math::Vec2& size);
  // A treasure found: sound, sparkle, the milestone opened and a power awarded.
  void FindTreasure(const QORGoal& goal);
  void SparkleTarget();

  uint8_t open_ = 0;
  QORBoardView* board_;
  int32_t width_ = 0;
  int32_t height_ = 0;
  int32_t maxX_ = 0;
  int32_t maxY_ = 0;
  int32_t minX_ = 0;
  int32_t minY_ = 0;
  std::vector<int32_t> floor_;
  BakedQuads floorQuads_;
  FloorLayout floorLayout_;
  uint8_t floorBuilt_ = 0;
  std::list<QORGoal> goals_;
  // The last goal is the exit tomb, which is reached but never found.
  uint8_t exitGoal_ = 0;
  ui::UISprite floorSprite_;
  ui::UISprite explorerIcon_;
  ui::UISprite rivalIcon_;
  ui::UISprite entranceIcon_;
  ui::UISprite goalMarker_;
  ui::UISprite targetIcon_;
  // Loaded with the map; nothing draws it.
  ui::UISprite spareSprite_;
  math::Vec2 targetIconSize_;
  math::Vec2 origin_;
  float sparkleBudget_ = 0.0f;
  int32_t targetX_ = 0;
  int32_t targetY_ = 0;
  int32_t targetSize_ = 0;
  int32_t clicks_ = 0;
  uint8_t arrived_ = 0;
  int32_t treasureTotal_ = 0;
  int32_t treasuresFound_ = 0;
};
