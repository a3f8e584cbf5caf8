// The start flash as a level's board runs it: the tokens fade in from the
// explorer's cell outwards, each with a blue burst, to one sound; at the end
// the flash goes with a sound of its own and the goal map opens.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "audio/audio.h"
#include "audio/audio_test_support.h"
#include "board/blocks/block_board_fixture.h"
#include "board/effects/qor_start_flash.h"
#include "board/effects/qor_well_sfx.h"
#include "board/explorer/qor_explorer.h"
#include "board/explorer/qor_goal_map.h"
#include "well/effects/explosion_sfx_set.h"

namespace {

constexpr uint32_t kUnseen = 0x00FFFFFFu;
constexpr uint32_t kOpaque = 0xFFFFFFFFu;

// On the bottom row, where nothing falls: red tokens on (1, 7), where the
// explorer stands, and on (7, 7), six steps away, and a rock on (4, 7);
// sounds of their own for the flash and its end.
class StartFlashTest : public testsupport::AudioTestBase, protected block_testing::BlockBoard {
 protected:
  void SetUp() override {
    AudioTestBase::SetUp();
    const std::string here = std::filesystem::current_path().string() + "/";
    // Absolute names: the process-wide sound system keeps every file it loaded.
    WriteSound("flash.wav");
    WriteSound("end.wav");
    WriteText("bank.lua", "SoundBank = {\n"
                          "  { Name = 'START_FLASH', Files = { [[" + here + "flash.wav]] } },\n"
                          "  { Name = 'end_flash.ogg', Files = { [[" + here + "end.wav]] } },\n"
                          "}\n");
    audio::GetAudio().Init("bank.lua");
    flashSound_ = here + "flash.wav";
    endSound_ = here + "end.wav";
    first_ = Put("qor_block", "red", 1, 7);
    far_ = Put("qor_block", "red", 7, 7);
    rock_ = Put("qor_rock", "none", 4, 7);
    ASSERT_NE(first_, nullptr);
    ASSERT_NE(far_, nullptr);
    ASSERT_NE(rock_, nullptr);
  }
  // Times each sound has started.
  static int Played(const std::string& file) {
    const audio::LoadedSample* sample = audio::GetAudio().Find(file);
    return sample ? static_cast<int>(BASS_SampleGetChannels(sample->handle, nullptr)) : -1;
  }
  // The board's frames up to the time since the level started.
  void RunTo(float seconds) {
    for (; now_ < seconds - 1e-4f; now_ += 0.05f) board_->Tick(0.05f);
  }
  const well::ExplosionSFXSet& Bursts() const {
    return *board_->GetGameEffects()->GetExplosionSet(QORWellSFX::kBlueBurst);
  }

  std::string flashSound_, endSound_;
  QORBlock* first_ = nullptr;
  QORBlock* far_ = nullptr;
  QORBlock* rock_ = nullptr;
  float now_ = 0.0f;
};

TEST_F(StartFlashTest, TokensFadeInOneByOneWithABurstAndTheMapOpensWhenItEnds) {
  board_->GetExplorer()->PlaceAt(1, 7);
  board_->OnLevelStart();
  ASSERT_NE(board_->GetStartFlash(), nullptr);
  EXPECT_EQ(first_->GetTint(), kUnseen);
  EXPECT_EQ(far_->GetTint(), kUnseen);
  EXPECT_EQ(rock_->GetTint(), kOpaque) << "only tokens take part";
  QORGoalMap* map = board_->GetGoalMap();
  ASSERT_NE(map, nullptr);
  map->SetOpen(false);

  // The explorer's token starts at 0.4 s: its burst at the cell's centre, the sound.
  RunTo(0.45f);
  EXPECT_NE(first_->GetTint(), kUnseen);
  EXPECT_EQ(far_->GetTint(), kUnseen);
  ASSERT_EQ(Bursts().GetRunningCount(), 1u);
  const math::Vec2 centre = board_->CellToScreen(1, 7) + board_->GetCellSize() * 0.5f + board_->GetScroll();
  bool burstAtCentre = false;
  for (const well::ExplosionSFXSet::Particle& burst : Bursts().GetParticles()) {
    if (!burst.IsRunning()) continue;
    burstAtCentre = std::abs(burst.position.x - centre.x) < 1e-5f && std::abs(burst.position.y - centre.y) < 1e-5f;
  }
  EXPECT_TRUE(burstAtCentre);
  EXPECT_EQ(Played(flashSound_), 1);
  EXPECT_FALSE(map->IsOpen()) << "closed while the flash runs";

  // Opaque 0.7 s later; the rock's turn brings no burst.
  RunTo(1.15f);
  EXPECT_EQ(first_->GetTint(), kOpaque);
  EXPECT_EQ(far_->GetTint(), kUnseen);
  EXPECT_EQ(Bursts().GetRunningCount(), 1u);
  // The far token starts at 1.24 s; the sound is not played again.
  RunTo(1.5f);
  EXPECT_NE(far_->GetTint(), kUnseen);
  EXPECT_NE(far_->GetTint(), kOpaque);
  EXPECT_EQ(Played(flashSound_), 1);
  EXPECT_EQ(Played(endSound_), 0);
  EXPECT_FALSE(map->IsOpen());

  // The far corner (7, 0) ends at 0.4 + 13 x 0.14 + 0.7 = 2.92 s.
  RunTo(2.9f);
  EXPECT_NE(board_->GetStartFlash(), nullptr);
  EXPECT_FALSE(map->IsOpen());
  RunTo(2.95f);
  EXPECT_EQ(board_->GetStartFlash(), nullptr);
  EXPECT_EQ(far_->GetTint(), kOpaque);
  EXPECT_EQ(Played(endSound_), 1);
  EXPECT_TRUE(map->IsOpen());
}

}  // namespace
