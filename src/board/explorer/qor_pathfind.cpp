#include "board/explorer/qor_pathfind.h"

#include "board/blocks/qor_block.h"
#include "board/explorer/qor_explorer.h"
#include "board/qor_tile.h"
#include "board/qor_board_view.h"

const char* const QORPathFind::kPieceNames[kPieceCount] = {
    "Path_Horizontal", "Path_Vertical", "arrow_left",       "arrow_right",     "arrow_up",
    "arrow_down",      "Path_Top_Left", "Path_Top_Right",   "Path_Bottom_Left", "Path_Bottom_Right",
};

QORPathFind::QORPathFind(QORExplorer* explorer) : WellPath(explorer->GetBoard()), explorer_(explorer) {
  for (int i = 0; i < kPieceCount; ++i)
    pieces_[i].Setup(kPieceNames[i], math::Vec2(0.0f, 0.0f), math::Vec2(1.0f, 1.0f), false);
}

QORPathFind::~QORPathFind() = default;

QORBoardView* QORPathFind::GetGameBoard() const { return explorer_->GetBoard(); }

bool QORPathFind::IsExplorerCell(int32_t x, int32_t y) const {
  const well::Cell cell = explorer_->GetCell();
  return cell.x == x && cell.y == y;
}

int32_t QORPathFind::BlockTypeAt(int32_t x, int32_t y) const {
  QORBoardView* board = GetGameBoard();
  well::Block* block = board->GetBlock(x, y);
  return block ? board->GetBlockType(block) : -1;
}

// The rows are tested in this order: his own cell, the floor, the block on
// the cell, then the tile.
int32_t QORPathFind::GetCellCost(int32_t x, int32_t y) {
  if (IsExplorerCell(x, y)) return 2;
  const QORTile* tile = GetGameBoard()->GetTile(x, y);
  if (!tile || tile->type == kTileVoid) return 0;
  const int32_t type = BlockTypeAt(x, y);
  if (type == QORBlock::kRock) return 1;
  if (type == QORBlock::kMilestone || type >= QORBlock::kStartBlock) return 4;
  if (tile->type == kTileGold || tile->type == kTileBare) return 2;
  return 1;
}

void QORPathFind::FloodFill(int32_t goalX, int32_t goalY) {
  WellPath::FloodFill(goalX, goalY);
  if (leg_) leg_->FloodFill(goalX, goalY);
}

void QORPathFind::BuildPath(int32_t startX, int32_t startY, int32_t goalX, int32_t goalY) {
  WellPath::BuildPath(startX, startY, goalX, goalY);
  if (!leg_) {
    leg_ = std::make_unique<QORPathFindLeg>(explorer_);
    leg_->Create();
    leg_->FloodFill(goalX, goalY);
  }
  int32_t legX = startX, legY = startY;
  if (!IsEmpty()) {
    const int32_t farEnd = GetSteps().front();
    legX = farEnd % GetWidth();
    legY = farEnd / GetWidth();
  }
  leg_->BuildPath(legX, legY, goalX, goalY);
  BuildDisplay();
}

void QORPathFind::BuildOwnPath(int32_t startX, int32_t startY, int32_t goalX, int32_t goalY) {
  WellPath::BuildPath(startX, startY, goalX, goalY);
  BuildDisplay();
}

int32_t QORPathFind::CellAtPosition(int64_t i) const {
  const std::vector<int32_t>& steps = GetSteps();
  if (i >= static_cast<int64_t>(steps.size())) return startX_ + startY_ * GetWidth();
  if (i < 0) return leg_ && !leg_->IsEmpty() ? leg_->GetSteps().back() : steps.front();
  return steps[static_cast<size_t>(i)];
}

bool QORPathFind::ChoosePiece(size_t i, Piece& piece) const {
  const int32_t width = GetWidth();
  const int64_t position = static_cast<int64_t>(i);
  const int32_t next = CellAtPosition(position + 1);
  const int32_t here = CellAtPosition(position);
  const int32_t previous = CellAtPosition(position - 1);
  const int32_t nx = next % width, ny = next / width;
  const int32_t hx = here % width, hy = here / width;
  const int32_t px = previous % width, py = previous / width;

  // The far end of a route that goes no further: an arrow along the way in.
  if (i == 0 && (!leg_ || leg_->IsEmpty())) {
    if (nx < hx) piece = kArrowRight;
    else if (nx > hx) piece = kArrowLeft;
    else if (ny > hy) piece = kArrowUp;
    else piece = kArrowDown;
    return true;
  }
  if (nx == hx && hx == px) {
    piece = kPathHorizontal;
    return true;
  }
  if (ny == hy && hy == py) {
    piece = kPathVertical;
    return true;
  }
  // Corners: one neighbour on each side, in either order.
  auto joins = [&](int32_t ax, int32_t ay, int32_t bx, int32_t by) {
    return (nx == hx + ax && ny == hy + ay && px == hx + bx && py == hy + by) ||
           (px == hx + ax && py == hy + ay && nx == hx + bx && ny == hy + by);
  };
  if (joins(0, -1, -1, 0)) piece = kTopLeft;
  else if (joins(0, -1, 1, 0)) piece = kTopRight;
  else if (joins(0, 1, -1, 0)) piece = kBottomLeft;
  else if (joins(0, 1, 1, 0)) piece = kBottomRight;
  else if (nx == hx) piece = kPathHorizontal;
  else if (ny == hy) piece = kPathVertical;
  else return false;
  return true;
}

void QORPathFind::BuildDisplay() {
  display_.clear();
  const size_t count = GetSteps().size();
  for (size_t i = 0; i < count; ++i) {
    Piece piece;
    if (ChoosePiece(i, piece)) display_.push_back({piece, GetSteps()[i]});
  }
}

void QORPathFind::TickDisplay(float dt) {
  for (ui::UISprite& piece : pieces_) piece.Tick(dt);
  if (leg_) leg_->TickDisplay(dt);
}

void QORPathFind::DrawPath() {
  QORBoardView* board = GetGameBoard();
  const int32_t width = GetWidth();
  const uint32_t alpha = static_cast<uint32_t>(alpha_ * 255.0f) << 24;
  for (const DisplayEntry& entry : display_) {
    ui::UISprite& sprite = pieces_[entry.piece];
    sprite.SetRect(board->CellToScreen(entry.cell % width, entry.cell / width), board->GetCellSize(), 0.0f, 0,
                   alpha | 0x00FFFFFFu);
    run_.Add(sprite);
  }
  run_.Flush();
  if (leg_) leg_->DrawPath();
}

QORPathFindLeg::QORPathFindLeg(QORExplorer* explorer) : QORPathFind(explorer) { alpha_ = 0.5f; }

void QORPathFindLeg::BuildPath(int32_t startX, int32_t startY, int32_t goalX, int32_t goalY) {
  BuildOwnPath(startX, startY, goalX, goalY);
}

int32_t QORPathFindLeg::GetCellCost(int32_t x, int32_t y) {
  if (IsExplorerCell(x, y)) return 2;
  const QORTile* tile = GetGameBoard()->GetTile(x, y);
  if (!tile || tile->type == kTileVoid) return 0;
  const int32_t type = BlockTypeAt(x, y);
  if (type == QORBlock::kRock || type == QORBlock::kMilestone) return 2;
  if (type >= QORBlock::kStartBlock) return 1;
  if (tile->type >= kTileMetal && tile->type <= kTileBare) return 2;
  return 1;
}
