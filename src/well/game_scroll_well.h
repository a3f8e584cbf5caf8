// The concrete engine board the game's boards stand on: the grid of block
// pointers, a window of whole cells scrolled within the board, batched
// drawing of the visible blocks, a swap of two blocks, the graveyard pass of
// its tick and the restore of a recorded layout.
#pragma once
#include <cstdint>
#include <utility>
#include <vector>

#include "render/sprites/sprite_batch.h"
#include "well/base_well.h"
#include "well/rest_clocks.h"

namespace well {

// The cells drawn: x0 .. x1 - 1 by y0 .. y1 - 1.
struct CellRange {
  int32_t x0 = 0;
  int32_t y0 = 0;
  int32_t x1 = 0;
  int32_t y1 = 0;
};

class GameScrollWell : public BaseWell {
 public:
  static constexpr uint32_t kDefaultViewCells = 10;

  explicit GameScrollWell(void* owner);
  // Deletes every block it holds: on the grid, in the graveyard and still
  // queued, each once.
  ~GameScrollWell() override;

  // Deletes the grid's blocks and the decorations; queued placements stay.
  bool ClearWell() override;
  void OnSettled() override {}
  void CollectBlocksOfColor(int32_t color, std::vector<Block*>& list) override;
  Block* GetBlockByIndex(uint32_t index) override;
  Block* GetBlock(int32_t x, int32_t y) override;
  // A cell off the grid or held by another block stores nothing: the block
  // is buried, with a warning.
  void PutBlock(Block* block, int32_t x, int32_t y) override;
  Block* CreateBlock(const std::string& typeName, const std::string& colorName, int32_t x, int32_t y,
                     int32_t width, int32_t height) override;
  // Back decorations, the effects' pre-draw, then DrawBlocksBatched.
  void Draw() override;
  // The base tick, then blocks that died meanwhile go to the graveyard.
  void Tick(float dt) override;
  // Moves the block's grid entry; a new cell off the grid or held by another
  // block buries it, with a warning.
  void OnBlockMoved(Block* block, int32_t oldX, int32_t oldY, int32_t newX, int32_t newY) override;
  void Create(uint32_t width, uint32_t height, const math::Vec2& origin, const math::Vec2& viewSize,
              const math::Vec2& cellSize) override;
  void RemoveDeadBlocks() override;
  void TickBlocks(float dt) override;
  // Tests the blocks over a cell that emptied since, and those still over
  // one: nothing else can start to fall.
  void GravityPass() override;
  // Mid-tick, a block still to come in grid order is ticked in its turn
  // from the time it had before the frame.
  void WakeBlock(Block* block) override;
  virtual void DrawBlocksBatched();
  // Decorations of layers 0 to 2, clipped to the view.
  virtual void DrawBackDecorations();
  virtual void RecordLayout();
  // Rebuilds the recorded layout in place of the grid's blocks.
  virtual void TriggerRestore();

  // Each takes the other's cell; both then run their arrival.
  void SwapBlocks(Block* a, Block* b);
  // The window with the partly visible column and row after it.
  CellRange GetVisibleRange() const;
  // Clamped to the board: nothing scrolls past its edges.
  void SetScroll(const math::Vec2& scroll);
  uint32_t GetViewColumns() const { return viewColumns_; }
  uint32_t GetViewRows() const { return viewRows_; }
  void SetViewCells(uint32_t columns, uint32_t rows);
  ui::SpriteBatch& GetBlockBatch() { return blockBatch_; }
  ui::SpriteBatch& GetOverlayBatch() { return overlayBatch_; }
  // Blocks ticked each frame; the rest rest.
  size_t CountAwake() const { return awake_.size(); }

 protected:
  // Deletes every block on the grid, empties it, and drops what still
  // points at them.
  void DeleteGridBlocks();
  // Refuses a cell off the grid or held by another block, with a warning.
  bool CanStore(const Block* block, int32_t x, int32_t y, const char* what) const;

  std::vector<Block*> grid_;
  uint32_t viewColumns_ = kDefaultViewCells;
  uint32_t viewRows_ = kDefaultViewCells;
  ui::SpriteBatch overlayBatch_;
  ui::SpriteBatch blockBatch_;

 private:
  // Adds the block on the cell, when it has an image and passes the test.
  template <typename Test>
  void AddCellToBatch(int32_t x, int32_t y, const math::Vec2& clipMin, const math::Vec2& clipMax, Test test);

  // A block with its grid index.
  using IndexedBlock = std::pair<int32_t, Block*>;
  bool IsOnGrid(const Block* block) const;
  // The awake blocks on the grid, in grid order, each once.
  void CollectAwake(std::vector<IndexedBlock>& list) const;
  // Takes the awake blocks that died off the grid, in grid order.
  void TakeDeadBlocks(std::vector<Block*>& dead);
  // The cells whose block may fall now that the block's cells emptied.
  void NoteVacated(const Block* block, const Cell& cell);
  void NoteFallCell(int32_t x, int32_t y);
  bool IsOverHole(Block* block);
  void RestOrKeepAwake();

  // Awake blocks: new, changed, or with something of their own to do. They
  // may be listed twice or have left the grid; the tick sorts that out.
  std::vector<Block*> awake_;
  RestClocks restClocks_;
  std::vector<IndexedBlock> ticking_;  // this tick's blocks, in grid order
  std::vector<IndexedBlock> wokenInTick_;  // a heap, the lowest index on top
  int32_t tickCursor_ = -1;  // the grid index being ticked; -1 outside the tick
  std::vector<int32_t> fallCells_;
  std::vector<int32_t> falling_;
  int32_t widest_ = 1;
  int32_t tallest_ = 1;
};

}  // namespace well
