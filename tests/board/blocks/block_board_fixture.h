// Shared by the tests of the game's blocks: a game board of a few cells with
// floor everywhere, on a renderer that records its draws, with the sprite
// entries the blocks show (every token of 8 frames at 12 a second, the
// tombs' doors of 6, the other stills of one frame).
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "board/blocks/qor_block.h"
#include "board/qor_well.h"
#include "log_capture.h"
#include "render/recording_graphics.h"
#include "render/sprites/sprite_set.h"
#include "well/block_names.h"

namespace block_testing {

// One cycle of a token's animation, and a tick that ends it.
constexpr float kTokenCycle = 8.0f / 12.0f;
constexpr float kPastCycle = kTokenCycle + 0.01f;

// A game board that the test may turn into the editor's or the race's, or
// a level with the rival, and whose spawn cells it may rebuild.
class TestWell : public QORWell {
 public:
  TestWell() : QORWell(nullptr) {}
  bool IsEditing() override { return editing; }
  bool IsEditorWell() override { return editing; }
  bool IsRace() override { return race; }
  void SetShadyLevel(bool shady) { shadyLevel_ = shady ? 1 : 0; }
  // The board owns the tutorial it is given.
  void SetHandHold(well::HandHold* hold) { handHold_ = hold; }
  void SetElapsed(float seconds) { elapsed_ = seconds; }
  using QORWell::BuildSpawnCells;
  // Without a sound bank the cues are cleared unheard.
  using QORWell::PlaySoundCues;

  bool editing = false;
  bool race = false;
};

// The board and the sprite entries, for any kind of test.
class BlockBoard {
 protected:
  static constexpr uint32_t kWidth = 8;
  static constexpr uint32_t kHeight = 8;

  BlockBoard() {
    for (int32_t colour = 0; colour < QORWell::kColorCount; ++colour) {
      for (const char* state : {"stand", "selected"})
        AddEntry("token_" + std::string(state) + "_" + well::ColorToName(colour), 8);
    }
    for (const char* still : {"Token_Rock", "random_block_none", "Tomb_Closed", "Tomb_Opened", "subgoal_token",
                              "subgoal", "milestone", "startblock"})
      AddEntry(still, 1);
    AddEntry("Tomb_Opening", 6);
    AddEntry("Tomb_Closing", 6);
    board_ = std::make_unique<TestWell>();
    uint8_t colours[QORWell::kColorCount] = {};
    for (int32_t colour : {well::kColorBlue, well::kColorGreen, well::kColorRed}) colours[colour] = 1;
    board_->Setup(kWidth, kHeight, colours);
    SetFloor(kTileMetal);
  }
  ~BlockBoard() {
    board_.reset();
    ui::GetSpriteSet()->Clear();
  }

  void SetFloor(int32_t type) {
    for (int32_t x = 0; x < static_cast<int32_t>(kWidth); ++x)
      for (int32_t y = 0; y < static_cast<int32_t>(kHeight); ++y) board_->GetTile(x, y)->type = type;
  }
  // Made by the board as a level file would make it, and put on its cell.
  template <typename Block = QORBlock>
  Block* Put(const std::string& type, const std::string& colour, int32_t x, int32_t y, int32_t width = 1,
             int32_t height = 1) {
    well::Block* block = board_->CreateBlock(type, colour, x, y, width, height);
    if (block) board_->PlaceBlock(block, x, y, -1.0f);
    return static_cast<Block*>(block);
  }
  // The centre of a cell on the screen.
  math::Vec2 CellCentre(int32_t x, int32_t y) const {
    return board_->CellToScreen(x, y) + board_->GetCellSize() * 0.5f;
  }
  static std::string ImageOf(const well::Block* block) { return block->GetSprite().GetName(); }

  // The effects owner's particle files are not among the fixtures.
  LogCapture quiet_;
  RecordingGraphics graphics_;
  std::unique_ptr<TestWell> board_;

 private:
  static void AddEntry(const std::string& name, int frames) {
    // The recording renderer sizes its made-up images by the name's end.
    const std::string image = name + "_" + std::to_string(45 * frames) + "x45.png";
    EXPECT_TRUE(ui::GetSpriteSet()->AddSprite(name, image, frames, 1.0f / 12.0f, 0, 0, false, false, 0, 0));
  }
};

class BlockBoardTest : public ::testing::Test, protected BlockBoard {};

}  // namespace block_testing
