// Shared by the walkers' tests: a game board of 12 x 12 cells of metal floor
// covered in plain tokens, with an explorer that stands where the test puts
// him and counts the strikes he takes, on a renderer that records its
// draws. Every image the walkers and nests show is a sprite-set entry; the
// made-up images take their size from their names (a cell is 45 x 45).
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "board/blocks/qor_block.h"
#include "board/qor_well.h"
#include "board/walkers/qor_walker.h"
#include "core/math/random.h"
#include "log_capture.h"
#include "render/recording_graphics.h"
#include "render/sprites/sprite_set.h"

namespace walker_testing {

class WalkerWell : public QORWell {
 public:
  WalkerWell() : QORWell(nullptr) {}
  ~WalkerWell() override { mummy_ = nullptr; }

  bool GetExplorerCell(int32_t& x, int32_t& y) const override {
    if (!explorer) return false;
    x = explorer->x;
    y = explorer->y;
    return true;
  }
  bool GetExplorerTargetCell(int32_t& x, int32_t& y) const override {
    if (!explorer) return false;
    const well::Cell& target = explorerTarget ? *explorerTarget : *explorer;
    x = target.x;
    y = target.y;
    return true;
  }
  void KnockOutExplorer() override { ++knockOuts; }
  void SetExplorerIdle() override { ++idles; }
  void LooseGame() override { ++losses; }

  // A mummy on the board, as far as the mummy's nest can tell; never used.
  void SetMummyStandIn(bool on) { mummy_ = on ? reinterpret_cast<QORMummy*>(this) : nullptr; }
  void SetShadyStart(int32_t x, int32_t y) {
    shadyLevel_ = 1;
    shadyStartX_ = x;
    shadyStartY_ = y;
  }
  using QORWell::CanWalkerBeKilled;
  using QORWell::ClearWalkers;
  using QORWell::DrawWalkers;
  using QORWell::StunWalker;
  using QORWell::TickWalkers;

  std::optional<well::Cell> explorer;
  std::optional<well::Cell> explorerTarget;
  int knockOuts = 0;
  int idles = 0;
  int losses = 0;
};

class WalkerBoardTest : public ::testing::Test {
 protected:
  static constexpr int32_t kSide = 12;

  void SetUp() override {
    std::srand(7);
    num::GetRandom().Seed(7);
    AddEntry("token_stand_red", 8);
    for (const char* still : {"Tile_Normal_Metal", "Tile_Normal_Gold", "Tile_Normal_Sand1", "Tile_Normal_Sand2",
                              "Tile_Normal_Sand3", "Tile_Crack_Sand1", "Tile_Crack_Sand2", "Tile_Crack_Sand3",
                              "spiderweb", "Tomb_Closed", "Tomb_Opened"})
      AddEntry(still, 1);
    for (const char* nest : {"mummy_nest", "scorpion_nest", "spider_nest", "cobra_nest", "scarab_nest",
                             "locust_nest"})
      AddEntry(nest, 1, 90, 90);
    for (const char* way : {"left", "right", "up", "down"}) {
      AddEntry(std::string("scorpion_walk_") + way, 4, 40, 40);
      AddEntry(std::string("scorpion_attack_") + way, 4, 40, 40);
      AddEntry(std::string("spider_") + way, 4, 40, 40);
    }
    for (const char* still : {"spider_spin_left", "spider_spin_right", "cobra_idle", "cobra_strike_left",
                              "cobra_strike_right", "locust_fly"})
      AddEntry(still, 4, 40, 40);
    AddEntry("Scarab_fly_Yellow", 4, 64, 64);
    for (const char* shady : {"Shady_Idle", "Shady_Walk_left", "Shady_Walk_Right", "Shady_Walk_Up",
                              "Shady_Walk_Down"})
      AddEntry(shady, 4, 48, 64);
    board_ = NewBoard();
    uint8_t colours[QORWell::kColorCount] = {};
    colours[well::kColorRed] = 1;
    board_->Setup(kSide, kSide, colours);
    SetFloor(kTileMetal);
  }
  void TearDown() override {
    board_.reset();
    ui::GetSpriteSet()->Clear();
  }
  // The board each test starts on.
  virtual std::unique_ptr<WalkerWell> NewBoard() { return std::make_unique<WalkerWell>(); }

  void SetFloor(int32_t type) {
    for (int32_t x = 0; x < kSide; ++x)
      for (int32_t y = 0; y < kSide; ++y) SetTile(x, y, type);
  }
  void SetTile(int32_t x, int32_t y, int32_t type) {
    QORTile* tile = board_->GetTile(x, y);
    tile->type = type;
    tile->webbed = 0;
  }
  // Made as a level file makes it and put on its cell; null when refused.
  well::Block* Put(const std::string& type, int32_t x, int32_t y, int32_t size = 1) {
    well::Block* block = board_->CreateBlock(type, "red", x, y, size, size);
    if (block) board_->PlaceBlock(block, x, y, -1.0f);
    return block;
  }
  // A plain token on every free cell but those named.
  void FillTokens(std::initializer_list<well::Cell> bare = {}) {
    for (int32_t x = 0; x < kSide; ++x) {
      for (int32_t y = 0; y < kSide; ++y) {
        const bool skip = std::find(bare.begin(), bare.end(), well::Cell{x, y}) != bare.end();
        if (!skip && !board_->GetBlock(x, y)) Put("qor_block", x, y);
      }
    }
  }
  template <typename Walker, typename... Args>
  Walker* Add(int32_t x, int32_t y, Args... args) {
    auto* walker = new Walker(board_.get(), args...);
    walker->PlaceAt(x, y);
    return board_->AddWalker(walker) ? walker : nullptr;
  }
  // Ticks in steps that add up exactly.
  template <typename Ticked>
  static void Run(Ticked& ticked, float seconds, float dt = 0.125f) {
    for (float t = 0.0f; t + dt <= seconds + 1e-6f; t += dt) ticked.Tick(dt);
  }

  LogCapture log_;
  RecordingGraphics graphics_;
  std::unique_ptr<WalkerWell> board_;

 private:
  static void AddEntry(const std::string& name, int frames, int width = 45, int height = 45) {
    const std::string image = name + "_" + std::to_string(width * frames) + "x" + std::to_string(height) + ".png";
    EXPECT_TRUE(ui::GetSpriteSet()->AddSprite(name, image, frames, 1.0f / 10.0f, 0, 0, false, false, 0, 0));
  }
};

}  // namespace walker_testing
