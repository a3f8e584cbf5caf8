// Shared by the board tests: a plain block that records what the board does
// to it, a board that makes such blocks and records its hooks, and a frame
// clock the test sets.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/well/block.h"
#include "board/well/game_scroll_well.h"
#include "core/frame_timer.h"

namespace board_testing {

class StubWell;

class StubBlock : public well::Block {
 public:
  StubBlock(well::BaseWell* board, std::string type, std::vector<std::string>* events = nullptr)
      : Block(board), type_(std::move(type)), events_(events) {
    SetSize(1, 1);
    ++Live();
  }
  ~StubBlock() override {
    --Live();
    Record("deleted");
  }

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
  well::Block* CreateBlock(const std::string& type, const std::string& color, int32_t, int32_t, int32_t width,
                           int32_t height) override {
    created.push_back(type + " " + color);
    if (type == "refused") return nullptr;
    StubBlock* block = new StubBlock(this, type, &events);
    block->SetColor(well::NameToColor(color));
    block->SetSize(width, height);
    return block;
  }

  // A stub block of the type, placed at once.
  StubBlock* Put(const std::string& type, int32_t x, int32_t y, int32_t width = 1, int32_t height = 1) {
    StubBlock* block = new StubBlock(this, type, &events);
    block->SetSize(width, height);
    PutBlock(block, x, y);
    return block;
  }

  std::vector<std::string> events;
  std::vector<std::string> created;
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
