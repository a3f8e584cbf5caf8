// Shared by the tests of moves, matches and hints: a game board laid out from
// rows of characters, standing in for the explorer, the mummy, the walkers,
// the HUD's awards and the help's display, and a sound bank whose every set
// has a sound of its own, so that the sets played can be read back in order.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "audio/audio.h"
#include "audio/audio_test_support.h"
#include "board/blocks/qor_block.h"
#include "board/effects/qor_start_flash.h"
#include "board/effects/qor_well_sfx.h"
#include "board/qor_well.h"
#include "log_capture.h"
#include "render/recording_graphics.h"
#include "render/sprites/sprite_set.h"
#include "well/block_names.h"
#include "well/effects/simple_sfx.h"

namespace moves_testing {

// A walker as the board sees it, before the walkers' own classes exist.
struct StubWalker {
  int32_t x = 0;
  int32_t y = 0;
  int32_t type = 0;
  bool killable = true;
  float stunned = 0.0f;
  bool removed = false;
};

class MovesWell : public QORWell {
 public:
  MovesWell() : QORWell(nullptr) {}
  // The stub walkers belong to the test.
  ~MovesWell() override { walkers_.clear(); }
  bool IsEditing() override { return editing; }
  bool IsRace() override { return race; }
  bool GetExplorerCell(int32_t& x, int32_t& y) const override { return Read(explorer, x, y); }
  bool GetMummyCell(int32_t& x, int32_t& y) const override { return Read(mummy, x, y); }
  bool GetWalkerCell(const QORWalker* walker, int32_t& x, int32_t& y) const override {
    x = Stub(walker)->x;
    y = Stub(walker)->y;
    return true;
  }
  int32_t GetWalkerType(const QORWalker* walker) const override { return Stub(walker)->type; }
  bool CanWalkerBeKilled(const QORWalker* walker) const override { return Stub(walker)->killable; }
  void StunWalker(QORWalker* walker, float seconds) override { Stub(walker)->stunned = seconds; }
  math::Vec2 GetWalkerScreenPosition(const QORWalker* walker) const override {
    return CellToScreen(Stub(walker)->x, Stub(walker)->y);
  }
  void DestroyWalker(QORWalker* walker) override { Stub(walker)->removed = true; }
  void HudAwardPower(const math::Vec2&, int32_t index, bool popup) override {
    awards.push_back(popup ? -1 : index);
  }
  bool HasHelp() const override { return help; }
  struct Hint {
    int32_t id;
    math::Vec2 topLeft;
    std::string image;
  };
  // The help declines every hint while hints are off.
  bool ShowHelpHint(int32_t id, const math::Vec2& topLeft, const math::Vec2&, const char* image) override {
    if (!hintsOn) return false;
    hints.push_back({id, topLeft, image});
    return true;
  }

  void AddStubWalker(StubWalker& walker) { walkers_.push_back(reinterpret_cast<QORWalker*>(&walker)); }
  void StartFlash() { startFlash_ = std::make_unique<QORStartFlash>(width_, height_, this, GetGameEffects(), nullptr); }
  void SetElapsed(float seconds) { elapsed_ = seconds; }
  void ClearMoving() { moving_ = 0; }
  void SetScrollTo(const math::Vec2& scroll) { SetScroll(scroll); }
  using QORWell::CheckFirstHints;
  using QORWell::DrawSwap;
  using QORWell::PlaySoundCues;
  using QORWell::TickSwap;

  bool editing = false;
  bool race = false;
  bool help = true;
  bool hintsOn = true;
  std::optional<well::Cell> explorer = well::Cell{0, 0};
  std::optional<well::Cell> mummy;
  std::vector<int32_t> awards;
  std::vector<Hint> hints;

 private:
  static StubWalker* Stub(const QORWalker* walker) {
    return reinterpret_cast<StubWalker*>(const_cast<QORWalker*>(walker));
  }
  static bool Read(const std::optional<well::Cell>& cell, int32_t& x, int32_t& y) {
    if (!cell) return false;
    x = cell->x;
    y = cell->y;
    return true;
  }
};

// The sets the board plays, each with a sound of its own.
inline const std::vector<std::string>& RecordedSets() {
  static const std::vector<std::string> sets = [] {
    std::vector<std::string> names = {"select_A", "select_B", "block_switch", "block_fall_1", "block_fall_2"};
    for (int n = 3; n <= 7; ++n) names.push_back("block_clear_" + std::to_string(n));
    for (int n = 3; n <= 7; ++n) names.push_back("base_clear_" + std::to_string(n));
    return names;
  }();
  return sets;
}

// A board of tokens over metal floor, in a scratch folder with the recorded
// sound bank loaded.
class MovesTest : public testsupport::AudioTestBase {
 protected:
  static constexpr float kSwapSeconds = 0.2f;

  void SetUp() override {
    AudioTestBase::SetUp();
    for (int32_t colour = 0; colour < QORWell::kColorCount; ++colour) {
      for (const char* state : {"stand", "selected"})
        AddEntry("token_" + std::string(state) + "_" + well::ColorToName(colour), 8);
    }
    AddEntry("Token_Rock", 1);
    std::string bank = "SoundBank = {\n";
    for (const std::string& set : RecordedSets()) {
      // Absolute names: the process-wide sound system keeps every file it loaded.
      const std::string file = std::filesystem::current_path().string() + "/" + set + ".wav";
      WriteSound(set + ".wav");
      bank += "  { Name = '" + set + "', Files = { [[" + file + "]] } },\n";
      files_.emplace_back(set, file);
    }
    WriteText("bank.lua", bank + "}\n");
    audio::GetAudio().Init("bank.lua");
    Heard();
  }
  void TearDown() override {
    board_.reset();
    ui::GetSpriteSet()->Clear();
    AudioTestBase::TearDown();
  }

  // A board of the rows' size. Rows, top to bottom, one character a cell:
  // 'b', 'g', 'r', 'y' tokens of colours 0 to 3; 'o' a rock; '-' a filler
  // token of colours 20 to 23 that lines up with nothing; '.' nothing;
  // '#' no floor and nothing on it.
  void Lay(const std::vector<std::string>& rows) {
    board_ = std::make_unique<MovesWell>();
    const auto width = static_cast<uint32_t>(rows[0].size());
    const auto height = static_cast<uint32_t>(rows.size());
    uint8_t colours[QORWell::kColorCount] = {};
    colours[well::kColorBlue] = colours[well::kColorGreen] = colours[well::kColorRed] = 1;
    board_->Setup(width, height, colours);
    for (int32_t y = 0; y < static_cast<int32_t>(height); ++y) {
      for (int32_t x = 0; x < static_cast<int32_t>(width); ++x) {
        const char c = rows[y][x];
        board_->GetTile(x, y)->type = c == '#' ? kTileVoid : kTileMetal;
        if (c == 'o') {
          Put("qor_rock", well::kColorNone, x, y);
        } else if (c == '-') {
          Put("qor_block", 20 + x % 2 + 2 * (y % 2), x, y);
        } else if (const char* at = std::strchr(kColours, c); at && c) {
          Put("qor_block", static_cast<int32_t>(at - kColours), x, y);
        }
      }
    }
    board_->ClearMoving();
  }
  QORBlock* Put(const std::string& type, int32_t colour, int32_t x, int32_t y) {
    well::Block* block = board_->CreateBlock(type, well::ColorToName(colour), x, y, 1, 1);
    if (block) board_->PlaceBlock(block, x, y, -1.0f);
    return static_cast<QORBlock*>(block);
  }
  well::Block* At(int32_t x, int32_t y) { return board_->GetBlock(x, y); }
  math::Vec2 Centre(int32_t x, int32_t y) const {
    return board_->CellToScreen(x, y) + board_->GetCellSize() * 0.5f;
  }
  void Click(int32_t x, int32_t y) { board_->OnLeftClick(Centre(x, y)); }
  // The board's own frame: its steps, the swap and the settling.
  void Run(float seconds) {
    for (float t = 0.0f; t < seconds - 1e-4f; t += 0.05f) board_->Tick(0.05f);
  }
  // The sets played since the last call, in the order they started.
  std::vector<std::string> Heard() {
    std::vector<std::pair<HCHANNEL, std::string>> started;
    for (const auto& [set, file] : files_) {
      const audio::LoadedSample* sample = audio::GetAudio().Find(file);
      if (!sample) continue;
      std::vector<HCHANNEL> channels(64);
      const DWORD count = BASS_SampleGetChannels(sample->handle, channels.data());
      for (DWORD i = 0; i < count && i < channels.size(); ++i) {
        if (channels[i] > heardUpTo_) started.emplace_back(channels[i], set);
      }
    }
    std::sort(started.begin(), started.end());
    std::vector<std::string> names;
    for (const auto& [channel, set] : started) {
      names.push_back(set);
      heardUpTo_ = std::max(heardUpTo_, channel);
    }
    return names;
  }
  // The cells the swirls of the idle hint play on.
  std::vector<well::Cell> Swirls() const {
    std::vector<well::Cell> cells;
    const well::SimpleSFX* swirl = board_->GetGameEffects()->GetSimpleSet(QORWellSFX::kSwirl);
    for (size_t i = 0; i < swirl->GetSize(); ++i) {
      const well::SimpleSFX::Item& item = swirl->GetItem(i);
      // Centred on its cell.
      if (item.active) cells.push_back(board_->ScreenToCell(item.position + item.size * 0.5f));
    }
    return cells;
  }

  LogCapture quiet_;
  RecordingGraphics graphics_;
  std::unique_ptr<MovesWell> board_;

 private:
  static constexpr const char* kColours = "bgry";

  static void AddEntry(const std::string& name, int frames) {
    ui::GetSpriteSet()->AddSprite(name, name + "_" + std::to_string(45 * frames) + "x45.png", frames, 1.0f / 12.0f,
                                  0, 0, false, false, 0, 0);
  }

  std::vector<std::pair<std::string, std::string>> files_;
  HCHANNEL heardUpTo_ = 0;
};

}  // namespace moves_testing
