// The token, rock, random placeholder and invisible blocker on a game board.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "audio/audio.h"
#include "audio/audio_test_support.h"
#include "block_board_fixture.h"
#include "board/effects/qor_well_sfx.h"
#include "board/explorer/qor_explorer.h"
#include "render/particles/part2d.h"
#include "render/particles/part_group.h"
#include "well/effects/explosion_sfx_set.h"
#include "well/effects/part2d_sfx_set.h"

namespace {

using block_testing::BlockBoardTest;
using block_testing::kPastCycle;

using QORTokenTest = BlockBoardTest;

TEST_F(QORTokenTest, ShowsTheImageOfItsStateAndColour) {
  const struct {
    const char* colour;
    bool selected;
    const char* image;
  } cases[] = {{"red", false, "token_stand_red"},           {"RED", true, "token_selected_red"},
               {"blue", false, "token_stand_blue"},         {"generic12", true, "token_selected_generic12"},
               {"turqoise", false, "token_stand_turqoise"}, {"no such colour", false, "token_stand_red"}};
  int32_t x = 0;
  for (const auto& c : cases) {
    QORBlock* token = Put("qor_block", c.colour, x++, 0);
    ASSERT_NE(token, nullptr) << c.colour;
    if (c.selected) token->SetSelected();
    EXPECT_EQ(ImageOf(token), c.image) << c.colour;
    EXPECT_NE(token->GetSprite().GetEntry(), nullptr) << c.colour;
  }
}

TEST_F(QORTokenTest, TheHighlightFollowsThePointerAtTheEndOfEachCycle) {
  QORBlock* left = Put("qor_block", "red", 1, 7);
  QORBlock* right = Put("qor_block", "blue", 2, 7);
  board_->SetMousePosition(CellCentre(1, 7));
  left->Tick(0.1f);
  EXPECT_EQ(ImageOf(left), "token_stand_red") << "nothing changes before the cycle ends";
  left->Tick(kPastCycle);
  right->Tick(kPastCycle);
  EXPECT_EQ(left->GetState(), well::kStateSelected);
  EXPECT_EQ(ImageOf(left), "token_selected_red");
  EXPECT_EQ(ImageOf(right), "token_stand_blue");

  board_->SetMousePosition(CellCentre(2, 7));
  left->Tick(kPastCycle);
  right->Tick(kPastCycle);
  EXPECT_EQ(left->GetState(), well::kStateStand);
  EXPECT_EQ(ImageOf(left), "token_stand_red");
  EXPECT_EQ(ImageOf(right), "token_selected_blue");

  // A destroyed token takes neither the highlight nor the standing image.
  right->SetDestroyed();
  right->Tick(kPastCycle);
  right->SetStanding();
  EXPECT_EQ(right->GetState(), well::kStateDestroyed);
  board_->SetMousePosition(CellCentre(1, 7));
  left->SetDestroyed();
  left->Tick(kPastCycle);
  left->SetSelected();
  EXPECT_EQ(ImageOf(left), "token_stand_red");
}

TEST_F(QORTokenTest, ItsExplosionGrowsWithTheComboCount) {
  const struct {
    int32_t combo;
    size_t set;
    float size;
  } cases[] = {{0, 0, 0.1f}, {2, 2, 0.2f}, {4, 4, 0.3f}, {7, 4, 0.45f}};
  QORWellSFX* effects = board_->GetGameEffects();
  ASSERT_NE(effects, nullptr);
  board_->SetScroll(math::Vec2(0.1f, 0.05f));
  int32_t x = 0;
  for (const auto& c : cases) {
    QORBlock* token = Put("qor_block", "green", x, 3);
    board_->SetComboCount(c.combo);
    const size_t before = effects->GetExplosionSet(c.set)->GetRunningCount();
    token->SetDestroyed();
    const well::ExplosionSFXSet* set = effects->GetExplosionSet(c.set);
    ASSERT_EQ(set->GetRunningCount(), before + 1) << c.combo;
    const well::ExplosionSFXSet::Particle& burst = set->GetParticles()[before];
    EXPECT_FLOAT_EQ(burst.endSize, c.size) << c.combo;
    EXPECT_FLOAT_EQ(burst.startSize, 0.00625f);
    EXPECT_FLOAT_EQ(burst.timer.period, 1.0f);
    // The centre in board space: on the screen plus the scroll.
    const math::Vec2 centre = CellCentre(x, 3) + board_->GetScroll();
    EXPECT_FLOAT_EQ(burst.position.x, centre.x) << c.combo;
    EXPECT_FLOAT_EQ(burst.position.y, centre.y) << c.combo;
    ++x;
  }
}

TEST_F(QORTokenTest, ALandingRaisesOneOfTheTwoFallCuesByTheRandomNumbersParity) {
  QORBlock* token = Put("qor_block", "red", 0, 7);
  for (unsigned seed : {1u, 2u, 3u, 4u}) {
    std::srand(seed);
    const bool odd = std::rand() % 2 != 0;
    std::srand(seed);
    token->OnStruck();
    EXPECT_EQ(board_->IsSoundCueRaised(QORWell::kCueBlockFall1), odd) << seed;
    EXPECT_EQ(board_->IsSoundCueRaised(QORWell::kCueBlockFall2), !odd) << seed;
    board_->PlaySoundCues();
  }
}

using QORRockTest = BlockBoardTest;

TEST_F(QORRockTest, TakesNoColourStateOrHighlightButDiesWhenDestroyed) {
  QORBlock* rock = Put("QOR_ROCK", "red", 2, 7);
  ASSERT_NE(rock, nullptr);
  EXPECT_EQ(ImageOf(rock), "Token_Rock");
  EXPECT_EQ(rock->GetColor(), well::kColorNone);
  rock->SetColor(well::kColorBlue);
  rock->SetState(well::kStateSelected);
  rock->SetSelected();
  EXPECT_EQ(rock->GetColor(), well::kColorNone);
  EXPECT_EQ(rock->GetState(), well::kStateStand);
  rock->SetDestroyed();
  EXPECT_EQ(rock->GetState(), well::kStateDestroyed);
}

TEST_F(QORRockTest, FallsInPlayButNotWhileEditing) {
  QORBlock* rock = Put("qor_rock", "none", 2, 3);
  board_->editing = true;
  rock->FallTest();
  EXPECT_FALSE(rock->IsSliding());
  board_->editing = false;
  rock->FallTest();
  EXPECT_TRUE(rock->IsSliding());
  EXPECT_EQ(rock->GetCell(), (well::Cell{2, 4}));
}

// The board always has its explorer: a rock landing on gold away from him
// cracks it, one landing on his cell breaks.
TEST_F(QORRockTest, LandingOnGoldAwayFromTheExplorerCracksItAndOnHimBreaks) {
  board_->GetTile(2, 7)->type = kTileGold;
  board_->GetTile(4, 7)->type = kTileGold;
  ASSERT_NE(board_->GetExplorer(), nullptr);
  board_->GetExplorer()->PlaceAt(4, 7);
  QORBlock* away = Put("qor_rock", "none", 2, 6);
  QORBlock* onHim = Put("qor_rock", "none", 4, 6);
  for (QORBlock* rock : {away, onHim}) {
    rock->FallTest();
    while (rock->IsSliding()) rock->Tick(0.05f);
    EXPECT_EQ(rock->GetCell().y, 7);
  }
  EXPECT_EQ(away->GetState(), well::kStateStand);
  EXPECT_EQ(board_->GetTile(2, 7)->type, kTileCracked);
  EXPECT_EQ(onHim->GetState(), well::kStateDestroyed);
  EXPECT_EQ(board_->GetTile(4, 7)->type, kTileGold);
}

// A rock that breaks raises dust and plays its sound.
class QORRockBreakTest : public testsupport::AudioTestBase, protected block_testing::BlockBoard {
 protected:
  void SetUp() override {
    AudioTestBase::SetUp();
    // Absolute names: the process-wide sound system keeps every file it loaded.
    crumble_ = std::filesystem::current_path().string() + "/crumble.wav";
    WriteSound("crumble.wav");
    WriteText("bank.lua", "SoundBank = { { Name = 'special 6', Files = { [[" + crumble_ + "]] } } }\n");
    audio::GetAudio().Init("bank.lua");
    ASSERT_TRUE(
        board_->GetGameEffects()->GetParticleSet(QORWellSFX::kDust)->Load(VANTOR_SOURCE_DIR "/data/effects/dust.p2d"));
  }

  std::string crumble_;
};

TEST_F(QORRockBreakTest, FiftyGrainsOfDustAndItsSound) {
  QORBlock* rock = Put("qor_rock", "none", 2, 7);
  const uint32_t sound = audio::GetAudio().LoadSound(crumble_, false);
  ASSERT_NE(sound, 0u);
  EXPECT_FALSE(audio::GetAudio().IsSamplePlaying(sound));
  rock->SetDestroyed();
  part2d::Part2D* dust = board_->GetGameEffects()->GetParticleSet(QORWellSFX::kDust)->GetSystem();
  ASSERT_GT(dust->GroupC(), 0);
  EXPECT_EQ(dust->GetGroup(0)->GetLiveCount(), 50);
  EXPECT_TRUE(audio::GetAudio().IsSamplePlaying(sound));
}

using QORPlaceholderTest = BlockBoardTest;

TEST_F(QORPlaceholderTest, TheRandomBlockIsAPlaceholderWhileEditingAndATokenInPlay) {
  for (const char* name : {"qor_random_block", "QOR_Random_Block"}) {
    board_->ClearWell();
    board_->editing = true;
    QORBlock* placeholder = Put(name, "blue", 1, 1);
    ASSERT_NE(placeholder, nullptr) << name;
    EXPECT_EQ(placeholder->GetType(), QORBlock::kRandom);
    EXPECT_EQ(ImageOf(placeholder), "random_block_none");
    EXPECT_EQ(placeholder->GetColor(), well::kColorNone) << "a placeholder has no colour of its own";
    EXPECT_FALSE(placeholder->IsRandom());

    board_->editing = false;
    QORBlock* token = Put(name, "blue", 2, 1);
    ASSERT_NE(token, nullptr) << name;
    EXPECT_EQ(token->GetType(), QORBlock::kToken);
    EXPECT_TRUE(token->IsRandom());
    EXPECT_LT(token->GetColor(), 3) << "a colour the level enables";
  }
}

TEST_F(QORPlaceholderTest, TheInvisibleBlockerNeverChangesAndShowsNothing) {
  QORBlock* blocker = Put("qor_invisible", "red", 3, 3);
  ASSERT_NE(blocker, nullptr);
  EXPECT_FALSE(blocker->GetSprite().HasImage());
  EXPECT_EQ(blocker->GetColor(), well::kColorNone);
  EXPECT_EQ(blocker->GetState(), QORBlock::kFixedState);
  blocker->SetSelected();
  blocker->SetStanding();
  blocker->SetState(well::kStateStand);
  blocker->SetColor(well::kColorBlue);
  blocker->FallTest();
  EXPECT_EQ(blocker->GetState(), QORBlock::kFixedState);
  EXPECT_EQ(blocker->GetColor(), well::kColorNone);
  EXPECT_FALSE(blocker->IsSliding());
}

}  // namespace
