// The engine's abstract board, the "well": a grid of W x H cells drawn at a
// cell size, the transforms between cells and screen points, a per-frame Tick
// with a fixed logic Step of 0.05 s, a timed placement queue for blocks,
// decorations, the board file, an optional end screen and an optional
// effects owner. It holds no block storage of its own: GameScrollWell adds
// the grid.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/countdown_timer.h"
#include "core/math/vector.h"
#include "well/block.h"

class WriteLua;
namespace LuaPlus {
class LuaState;
}

namespace well {

class Decoration;
class GameEnd;
class WellSFX;

// A block waiting to be put on the board when the frame clock passes its due time.
struct PlacementEntry {
  Block* block = nullptr;
  float dueTime = 0.0f;  // seconds on the frame clock
  int32_t x = 0;
  int32_t y = 0;
};

// One block of the layout that TriggerRestore rebuilds.
struct RestoreRecord {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
  std::string typeName;
  int32_t color = 0;
};

class BaseWell {
 public:
  static constexpr float kStepSeconds = 0.05f;

  explicit BaseWell(void* owner);
  // Deletes the restore records, the effects owner, the end screen and the
  // decorations.
  virtual ~BaseWell();
  BaseWell(const BaseWell&) = delete;
  BaseWell& operator=(const BaseWell&) = delete;

  // The board's virtual interface, in slot order.
  virtual bool ClearWell() = 0;
  // The moving flag fell during a frame.
  virtual void OnSettled() = 0;
  virtual void CollectBlocksOfColor(int32_t color, std::vector<Block*>& list) = 0;
  virtual Block* GetBlockByIndex(uint32_t index) = 0;
  virtual Block* GetBlockAtPoint(const math::Vec2& point);
  virtual Block* GetBlock(int32_t x, int32_t y) = 0;
  virtual void ReservedHook(int32_t first, int32_t second) = 0;
  // Puts the block on the cell at once.
  virtual void PutBlock(Block* block, int32_t x, int32_t y) = 0;
  virtual Block* CreateBlock(const std::string& typeName, const std::string& colorName, int32_t x, int32_t y,
                             int32_t width, int32_t height) = 0;
  // Writes the board file; false when it cannot be opened.
  virtual bool Save(const std::string& fileName);
  virtual void OnLevelStart() {}
  // The end screen, when there is one.
  virtual void Draw();
  virtual void Tick(float dt);
  virtual Block* SpawnRandomBlock(int32_t x, int32_t y, float delay);
  // Reads a board file onto the board; blocks are placed after `delay`
  // seconds (at once for 0 or below). False when the file does not run.
  virtual bool Load(const std::string& fileName, float delay);
  virtual void SaveExtra(WriteLua& writer);
  virtual void AfterLoad(LuaPlus::LuaState* state);
  virtual void BeforeSave(WriteLua& writer);
  // False skips the rest of a load, which still succeeds.
  virtual bool BeforeLoad(LuaPlus::LuaState* state);
  virtual int32_t ReservedQuery() { return 0; }
  virtual void OnBlockMoved(Block* block, int32_t oldX, int32_t oldY, int32_t newX, int32_t newY);
  virtual void OnBoardChanged() {}
  // An end screen that was started and has no step left.
  virtual bool IsGameEndFinished();
  virtual bool HasWon() { return won_ != 0; }
  virtual void WinGame() { won_ = 1; }
  virtual void LooseGame() { won_ = 0; }
  virtual bool ReservedFlag() { return true; }
  virtual WellSFX* GetEffects() { return effects_; }
  virtual bool IsEditorWell() { return false; }
  virtual bool SkipDecorationsOnLoad() { return false; }
  virtual bool IsEditing() { return false; }
  virtual void AddScore(int32_t points);
  virtual const std::string& GetName() { return name_; }
  virtual void SetName(const std::string& name) { name_ = name; }
  virtual const std::string& GetSecondName() { return secondName_; }
  virtual void SetSecondName(const std::string& name) { secondName_ = name; }
  // Width and height are not used; a negative layer becomes 0.
  virtual void AddDecoration(const std::string& imageName, int32_t x, int32_t y, int32_t width, int32_t height,
                             const math::Vec2& offset, int32_t layer, int32_t rotation);
  virtual void OnBeforeChange() {}
  virtual void Create(uint32_t width, uint32_t height, const math::Vec2& origin, const math::Vec2& viewSize,
                      const math::Vec2& cellSize);
  // The fixed logic step: gravity, due placements, dead blocks.
  virtual void Step();
  virtual void PlaceDueBlocks();
  virtual void RemoveDeadBlocks() = 0;
  virtual void TickBlocks(float dt) = 0;
  virtual void GravityPass() = 0;
  // A resting block is to be ticked again (see Block::Wake).
  virtual void WakeBlock(Block*) {}

  math::Vec2 CellToScreen(int32_t x, int32_t y) const;
  math::Vec2 CellsToSize(int32_t width, int32_t height) const;
  // Truncated toward zero: a point a fraction left of the origin is column 0.
  Cell ScreenToCell(const math::Vec2& point) const;
  Cell SizeToCells(const math::Vec2& size) const;
  int32_t GetCellIndex(int32_t x, int32_t y) const;
  // The index of the block's occupied cell; 0 for none.
  int32_t GetBlockIndex(const Block* block) const;
  bool IsInside(int32_t x, int32_t y) const;
  // False when the rectangle reaches past the right or bottom edge.
  bool IsAreaFree(uint32_t x, uint32_t y, uint32_t width, uint32_t height);
  // The blocks reported on the inclusive rectangle, each once, at its own
  // cell, column by column.
  void CollectBlocks(int32_t x0, int32_t y0, int32_t x1, int32_t y1, std::vector<Block*>& list);
  void CollectAllBlocks(std::vector<Block*>& list);
  // The blocks a save writes: those with an image, in CollectAllBlocks order.
  void CollectSavedBlocks(std::vector<Block*>& list);
  // At once for a delay of 0 or below, else queued on the frame clock.
  Block* PlaceBlock(Block* block, int32_t x, int32_t y, float delay);

  // Decorations, owned, kept highest layer first; layers 0 to 2 lie behind
  // the blocks, 3 and above in front.
  void DrawDecorations(bool clipX, bool clipY, bool back);
  // Equal layers keep the order they came in.
  void InsertDecoration(Decoration* decoration);
  // The last decoration of the list under the point, handed to the caller.
  Decoration* TakeDecorationAt(const math::Vec2& point);
  bool DeleteDecoration(const math::Vec2& point);
  void ClearDecorations();
  const std::vector<Decoration*>& GetDecorations() const { return decorations_; }

  uint32_t GetWidth() const { return width_; }
  uint32_t GetHeight() const { return height_; }
  const math::Vec2& GetCellSize() const { return cellSize_; }
  const math::Vec2& GetOrigin() const { return origin_; }
  const math::Vec2& GetViewSize() const { return viewSize_; }
  const math::Vec2& GetScroll() const { return scroll_; }
  float GetMoveSpeed() const { return moveSpeed_; }
  void SetMoveSpeed(float speed) { moveSpeed_ = speed; }
  bool IsMoving() const { return moving_ != 0; }
  bool HasGravity() const { return gravity_ != 0; }
  void SetGravity(bool on) { gravity_ = on ? 1 : 0; }
  int32_t GetLevelIndex() const { return levelIndex_; }
  void SetLevelIndex(int32_t index) { levelIndex_ = index; }
  void* GetOwner() const { return owner_; }
  // The board owns both: setting another deletes the one before.
  void SetEffects(WellSFX* effects);
  GameEnd* GetGameEnd() const { return gameEnd_; }
  void SetGameEnd(GameEnd* gameEnd);
  const std::string& GetBackgroundName() const { return backgroundName_; }
  void SetBackgroundName(const std::string& name) { backgroundName_ = name; }
  const std::string& GetEffectName() const { return effectName_; }
  void SetEffectName(const std::string& name) { effectName_ = name; }
  const std::string& GetFileName() const { return fileName_; }
  float GetElapsed() const { return elapsed_; }
  const CountdownTimer& GetStepTimer() const { return stepTimer_; }
  const std::vector<PlacementEntry>& GetPlacementQueue() const { return queue_; }
  const std::vector<RestoreRecord>& GetRestoreRecords() const { return restoreRecords_; }
  // Blocks taken off the board; they live until the board is deleted.
  const std::vector<Block*>& GetGraveyard() const { return graveyard_; }

 protected:
  // Takes a block off for good: it is never drawn, ticked or found again.
  void Bury(Block* block) {
    block->Wake();
    graveyard_.push_back(block);
  }
  void SetScrollVector(const math::Vec2& scroll) { scroll_ = scroll; }
  void SetMoving() { moving_ = 1; }

  std::string name_;
  std::string secondName_;
  int32_t levelIndex_ = -1;
  void* owner_;
  WellSFX* effects_ = nullptr;
  std::vector<PlacementEntry> queue_;
  uint8_t queueUnsorted_ = 0;
  uint32_t width_ = 0;
  uint32_t height_ = 0;
  math::Vec2 cellSize_{0.02f, 0.02f};
  math::Vec2 origin_;
  math::Vec2 viewSize_;
  float moveSpeed_ = 1.0f;
  math::Vec2 scroll_;
  uint8_t moving_ = 0;
  uint8_t gravity_ = 1;
  uint8_t won_ = 0;
  GameEnd* gameEnd_ = nullptr;
  CountdownTimer stepTimer_{kStepSeconds, kStepSeconds};
  std::string backgroundName_ = "random";
  std::string effectName_ = "none";
  std::vector<RestoreRecord> restoreRecords_;
  std::vector<Decoration*> decorations_;
  std::string fileName_;
  float elapsed_ = 0.0f;
  std::vector<Block*> graveyard_;

 private:
  void LoadBlocks(LuaPlus::LuaState* state, float delay);
  void LoadDecorations(LuaPlus::LuaState* state);
  void LoadInfo(LuaPlus::LuaState* state);
  void SaveBlocks(WriteLua& writer);
  void SaveDecorations(WriteLua& writer);
};

}  // namespace well
