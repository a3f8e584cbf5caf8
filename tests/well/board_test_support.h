// Shared by the board tests: a plain block that records what the board does
// to it, a board that makes such blocks and records its hooks, and a frame
// clock the test sets.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/frame_timer.h"
#include "well/block.h"
#include "well/game_scroll_well.h"

namespace board_testing {

class StubWell;

class StubBlock : public well::Block {
 public:
  StubBlock(well::BaseWell* board, std::string type, std::vector<std::string>* events = nullptr)
      : Block(board), type_(std::move(type)), events_(events) {
    SetSize(1, 1);
    ++Live();
  }
  // Records nothing: the board's event list is gone by the time the board
  // deletes its blocks.
  ~StubBlock() override { --Live(); }

  void Init() override {}
  std::string GetTypeName() override { return type_; }
  void OnPlaced() override { Record("placed"); }
  void OnDestroyed() override { Record("destroyed"); }
  void OnStruck() override {
    ++struck;
    Block::OnStruck();
  }
  void OnArrived() override {
    Record("arrived");
    Block::OnArrived();
  }
  void AddToBatchClipped(ui::SpriteBatch& batch, ui::SpriteBatch& overlay, const math::Vec2& clipMin,
                         const math::Vec2& clipMax) override {
    batched.push_back(GetOccupiedCell());
    Block::AddToBatchClipped(batch, overlay, clipMin, clipMax);
  }

  // Blocks alive now, across every test.
  static int& Live() {
    static int live = 0;
    return live;
  }

  int struck = 0;
  std::vector<well::Cell> batched;

 private:
  void Record(const std::string& what) {
    if (events_) events_->push_back(type_ + " " + what);
  }

  std::string type_;
  std::vector<std::string>* events_;
};

// Records the hooks as "before", "changed", "settled" and "moved";
// CreateBlock makes stub blocks of the type name, coloured by name.
class StubWell : public well::GameScrollWell {
 public:
  StubWell() : GameScrollWell(nullptr) {}

  void ReservedHook(int32_t, int32_t) override {}
  void OnSettled() override { events.push_back("settled"); }
  void OnBeforeChange() override {
    if (recordChanges) events.push_back("before");
  }
  void OnBoardChanged() override {
    if (recordChanges) events.push_back("changed");
  }
  void OnBlockMoved(well::Block* block, int32_t oldX, int32_t oldY, int32_t newX, int32_t newY) override {
    moves.push_back({oldX, oldY, newX, newY});
    GameScrollWell::OnBlockMoved(block, oldX, oldY, newX, newY);
  }
  void Step() override {
    ++steps;
    GameScrollWell::Step();
  }
  well::Block* GetBlock(int32_t x, int32_t y) override {
    ++blockLookups;
    return GameScrollWell::GetBlock(x, y);
  }
  well::Block* CreateBlock(const std::string& type, const std::string& color, int32_t, int32_t, int32_t width,
                           int32_t height) override {
    created.push_back(type + " " + color);
    if (type == "refused") return nullptr;
    StubBlock* block = new StubBlock(this, type, &events);
    block->SetColor(well::NameToColor(color));
    block->SetSize(width, height);
    block->GetSprite().LoadImage(image);
    return block;
  }

  // A stub block of the type, placed at once.
  StubBlock* Put(const std::string& type, int32_t x, int32_t y, int32_t width = 1, int32_t height = 1) {
    StubBlock* block = new StubBlock(this, type, &events);
    block->SetSize(width, height);
    block->GetSprite().LoadImage(image);
    PutBlock(block, x, y);
    return block;
  }
  // A board of W x H cells of 0.1 x 0.1 from the screen's corner,
  // whose view shows `columns` x `rows` of them.
  void CreateCells(uint32_t width, uint32_t height, uint32_t columns = 10, uint32_t rows = 10) {
    SetViewCells(columns, rows);
    Create(width, height, {0.0f, 0.0f}, {0.1f * static_cast<float>(columns), 0.1f * static_cast<float>(rows)},
           {0.1f, 0.1f});
  }

  struct Move {
    int32_t oldX, oldY, newX, newY;
  };
  std::vector<std::string> events;
  std::vector<std::string> created;
  std::vector<Move> moves;
  int steps = 0;
  int blockLookups = 0;
  // Loaded into every block the board makes (only with a renderer at hand).
  std::string image;
  bool recordChanges = false;
};

// Sets the frame clock for the test and puts it back afterwards.
class FrameClock {
 public:
  explicit FrameClock(float now) : saved_(GetFrameTimer().totalTime) { Set(now); }
  ~FrameClock() { GetFrameTimer().totalTime = saved_; }
  void Set(float now) { GetFrameTimer().totalTime = now; }

 private:
  float saved_;
};

}  // namespace board_testing
