// The explorer's route. The main route walks over gold floor towards his
// goal; where it stops short, a leg of its own (at half alpha) shows the way
// he would take once the tiles ahead turn to gold. Both draw their cells as
// a line of path pieces, corners and a closing arrow.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "render/sprites/quad_run.h"
#include "render/sprites/ui_sprite.h"
#include "well/well_path.h"

class QORExplorer;
class QORBoardView;

class QORPathFind : public well::WellPath {
 public:
  // The display pieces, in the order they are loaded. The piece named
  // "Path_Horizontal" is drawn along vertical stretches and "Path_Vertical"
  // along horizontal ones.
  enum Piece {
    kPathHorizontal,
    kPathVertical,
    kArrowLeft,
    kArrowRight,
    kArrowUp,
    kArrowDown,
    kTopLeft,
    kTopRight,
    kBottomLeft,
    kBottomRight,
    kPieceCount,
  };
  static const char* const kPieceNames[kPieceCount];

  explicit QORPathFind(QORExplorer* explorer);
  ~QORPathFind() override;

  // The walkable route, then the leg from its far end, then the display.
  void BuildPath(int32_t startX, int32_t startY, int32_t goalX, int32_t goalY) override;
  // Also floods the leg.
  void FloodFill(int32_t goalX, int32_t goalY) override;
  int32_t GetCellCost(int32_t x, int32_t y) override;
  // Advances the pieces' animations, the leg's too.
  virtual void TickDisplay(float dt);

  // The display pieces on their cells, then the leg's: one draw for each run
  // of pieces of one picture.
  void DrawPath();

  QORPathFind* GetLeg() const { return leg_.get(); }
  float GetAlpha() const { return alpha_; }
  int32_t GetGoalX() const { return goalX_; }
  int32_t GetGoalY() const { return goalY_; }
  // A stored cell and the piece drawn on it.
  struct DisplayEntry {
    Piece piece;
    int32_t cell;  // x + y x board width
  };
  // The stored cells that have a piece, far end first.
  const std::vector<DisplayEntry>& GetDisplay() const { return display_; }

 protected:
  // The leg's own search: the base search and its display, no leg.
  void BuildOwnPath(int32_t startX, int32_t startY, int32_t goalX, int32_t goalY);
  QORBoardView* GetGameBoard() const;
  // The explorer's own cell is open to both routes.
  bool IsExplorerCell(int32_t x, int32_t y) const;
  // The cell's game block type, or -1 for none.
  int32_t BlockTypeAt(int32_t x, int32_t y) const;

  QORExplorer* explorer_;
  float alpha_ = 1.0f;

 private:
  // The piece for stored cell `i`, false for none.
  bool ChoosePiece(size_t i, Piece& piece) const;
  // Stored position `i`: the start cell past the end, the leg's next step
  // (or the far end itself) before the start.
  int32_t CellAtPosition(int64_t i) const;
  void BuildDisplay();

  ui::UISprite pieces_[kPieceCount];
  ui::QuadRun run_;
  std::unique_ptr<QORPathFind> leg_;
  std::vector<DisplayEntry> display_;
};

// The preview route: sand and metal tiles count as walkable, rocks too, and
// the flood passes start blocks and nests without stepping on them.
class QORPathFindLeg : public QORPathFind {
 public:
  explicit QORPathFindLeg(QORExplorer* explorer);

  void BuildPath(int32_t startX, int32_t startY, int32_t goalX, int32_t goalY) override;
  int32_t GetCellCost(int32_t x, int32_t y) override;
};
