// Shared by the game board's tests: a board whose blocks are stub blocks and
// whose editing and race flags the test sets, and a fixture that runs in the
// board tests' data folder with the tile pictures registered as sprite-set
// entries of a recording renderer.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "board/qor_well.h"
#include "log_capture.h"
#include "render/recording_graphics.h"
#include "render/sprites/sprite_set.h"
#include "well/board_test_support.h"

namespace board_testing {

class TestWell : public QORWell {
 public:
  TestWell() : QORWell(nullptr) {}

  well::Block* CreateBlock(const std::string& type, const std::string& color, int32_t x, int32_t y, int32_t width,
                           int32_t height) override {
    created.push_back(type + " " + std::to_string(x) + "," + std::to_string(y));
    if (!IsAreaFree(x, y, std::max(width, 1), std::max(height, 1))) return nullptr;
    StubBlock* block = new StubBlock(this, type);
    block->SetColor(well::NameToColor(color));
    block->SetSize(width, height);
    // As in the game, the blockers that fill the void show nothing and so
    // are not saved.
    if (type != "qor_invisible") block->GetSprite().LoadImage("stub_block");
    return block;
  }
  bool IsEditing() override { return editing; }
  bool IsEditorWell() override { return editing; }
  bool IsRace() override { return race; }

  // A stub block put on the cell at once.
  StubBlock* Put(const std::string& type, int32_t x, int32_t y, int32_t width = 1, int32_t height = 1) {
    well::Block* block = CreateBlock(type, "red", x, y, width, height);
    if (block) PutBlock(block, x, y);
    return static_cast<StubBlock*>(block);
  }

  bool editing = false;
  bool race = false;
  std::vector<std::string> created;
};

class GameBoardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(VANTOR_TEST_DATA);
    AddEntry("stub_block", 1, 1.0f);
    AddEntry("spiderweb", 1, 1.0f);
    AddEntry("tile_edit_only", 1, 1.0f);
    AddEntry("Tile_Normal_Metal", 1, 1.0f);
    AddEntry("Tile_Normal_Gold", 1, 1.0f);
    for (int i = 1; i <= 3; ++i) {
      AddEntry("Tile_Normal_Sand" + std::to_string(i), 1, 1.0f);
      AddEntry("Tile_Crack_Sand" + std::to_string(i), 1, 1.0f);
    }
    // A flip plays six frames at 20 a second: 0.3 s.
    for (const char* flip : {"Tile_Flip_Metal", "Tile_Flip_Sand", "Tile_Flip_Crack", "Tile_Flip_Gold"}) {
      AddEntry(flip, 6, 20.0f);
    }
  }
  void TearDown() override {
    ui::GetSpriteSet()->Clear();
    std::filesystem::current_path(previous_);
  }

  // FrameTime is a rate: frames per second.
  void AddEntry(const std::string& name, int frames, float rate) {
    ui::GetSpriteSet()->AddSprite(name, "img/" + name + ".png", frames, 1.0f / rate, 0, 0, false, false, 0, 0);
  }

  RecordingGraphics graphics_;

 private:
  // The effects owner's particle files are not among the fixtures.
  LogCapture quiet_;
  std::filesystem::path previous_;
};

}  // namespace board_testing
