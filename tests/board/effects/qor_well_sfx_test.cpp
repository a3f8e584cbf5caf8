#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "board/effects/coin_sfx.h"
#include "board/effects/qor_well_sfx.h"
#include "render/recording_graphics.h"
#include "render/sprites/sprite_set.h"
#include "well/board_test_support.h"
#include "well/effects/explosion_sfx_set.h"
#include "well/effects/part2d_sfx_set.h"
#include "well/effects/simple_sfx.h"
#include "well/effects/sprite_sfx_set.h"
#include "well/effects/text_sfx.h"

namespace {

using board_testing::StubWell;
using Call = RecordingGraphics::Call;

// Keeps the points it is given.
class ScoringWell : public StubWell {
 public:
  void AddScore(int32_t points) override { score += points; }
  int32_t score = 0;
};

// The profile's gold, as the game variables would keep it.
int32_t& Gold() {
  static int32_t gold = 0;
  return gold;
}

class QORWellSFXTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The swirl's frames are 64 x 64.
    ASSERT_TRUE(ui::GetSpriteSet()->AddSprite("swirl", "swirl_512x64.png", 8, 0.1f, 0, 0, false, false, 0, 0));
    board_.Create(40, 20, {0.1f, 0.1f}, {0.5f, 0.5f}, {0.05f, 0.05f});
    Gold() = 0;
    CoinSFX::SetGoldAccess([] { return Gold(); }, [](int32_t gold) { Gold() = gold; });
  }
  void TearDown() override {
    CoinSFX::SetGoldAccess(nullptr, nullptr);
    ui::GetSpriteSet()->Clear();
  }

  size_t Draws() const {
    size_t draws = 0;
    for (const Call& call : graphics_.calls) draws += call.kind == Call::kDraw;
    return draws;
  }

  RecordingGraphics graphics_;
  ScoringWell board_;
};

TEST_F(QORWellSFXTest, InitMakesTheSetsInDrawingOrder) {
  QORWellSFX effects(&board_, nullptr);
  effects.Init();
  std::vector<const well::SFXSet*> expected = {effects.GetSparkleSet(), effects.GetTextSet(),
                                               effects.GetGoldCoins(), effects.GetSparkleCoins()};
  for (size_t i = 0; i < QORWellSFX::kExplosionSets; ++i) expected.push_back(effects.GetExplosionSet(i));
  for (size_t i = 0; i < QORWellSFX::kParticleSets; ++i) expected.push_back(effects.GetParticleSet(i));
  for (size_t i = 0; i < QORWellSFX::kSimpleSetsMade; ++i) expected.push_back(effects.GetSimpleSet(i));
  std::vector<const well::SFXSet*> listed;
  for (const auto& set : effects.GetSets()) listed.push_back(set.get());
  EXPECT_EQ(listed, expected);
  for (const well::SFXSet* set : listed) ASSERT_NE(set, nullptr);
  for (size_t i = QORWellSFX::kSimpleSetsMade; i < QORWellSFX::kSimpleSets; ++i)
    EXPECT_EQ(effects.GetSimpleSet(i), nullptr) << i;
  EXPECT_EQ(effects.GetSimpleSet(16), nullptr);
  EXPECT_EQ(effects.GetParticleSet(16), nullptr);
  EXPECT_EQ(effects.GetExplosionSet(5), nullptr);

  EXPECT_EQ(effects.GetSparkleSet()->GetSize(), 10u);
  EXPECT_EQ(effects.GetSparkleSet()->GetImage1(), "Effect_Overlay_Sparkly");
  EXPECT_EQ(effects.GetTextSet()->GetItems().size(), 15u);
  EXPECT_TRUE(effects.GetTextSet()->Rises());
  EXPECT_EQ(effects.GetGoldCoins()->GetCoins().size(), 50u);
  EXPECT_EQ(effects.GetSparkleCoins()->GetCoins().size(), 20u);
  const size_t explosions[] = {10, 10, 10, 140, 2};
  for (size_t i = 0; i < QORWellSFX::kExplosionSets; ++i)
    EXPECT_EQ(effects.GetExplosionSet(i)->GetParticles().size(), explosions[i]) << i;
  EXPECT_EQ(effects.GetExplosionSet(3)->GetSprite().GetName(), "img/Explosion_blue.png");
  const size_t overlays[] = {20, 10, 40, 10, 5, 3};
  for (size_t i = 0; i < QORWellSFX::kSimpleSetsMade; ++i)
    EXPECT_EQ(effects.GetSimpleSet(i)->GetSize(), overlays[i]) << i;
  EXPECT_TRUE(effects.GetSimpleSet(QORWellSFX::kSwirl)->GetItem(0).sprite.additive);
  EXPECT_FALSE(effects.GetSimpleSet(QORWellSFX::kShatter)->GetItem(0).sprite.additive);
  EXPECT_EQ(effects.GetParticleSet(6)->GetSystem(), nullptr) << "the set without a file";
  EXPECT_EQ(effects.GetWeatherIndex(), -1);
}

TEST_F(QORWellSFXTest, TriggerAtCellCentresTheOverlayOnTheCellAtItsOwnSize) {
  QORWellSFX effects(&board_, nullptr);
  effects.Init();
  board_.SetScroll({0.1f, 0.05f});
  for (size_t index = QORWellSFX::kSimpleSetsMade; index <= QORWellSFX::kSimpleSets; ++index)
    effects.TriggerAtCell(2, 3, index);  // not made: nothing
  effects.TriggerSwirlAtCell(2, 3);
  const well::SimpleSFX& swirl = *effects.GetSimpleSet(QORWellSFX::kSwirl);
  ASSERT_EQ(swirl.GetRunningCount(), 1u);
  const well::SimpleSFX::Item& item = swirl.GetItem(0);
  const math::Vec2 size{64.0f / 800.0f, 64.0f / 600.0f};
  const math::Vec2 cell = board_.CellToScreen(2, 3);
  EXPECT_NEAR(item.size.x, size.x, 1e-6f);
  EXPECT_NEAR(item.size.y, size.y, 1e-6f);
  EXPECT_NEAR(item.position.x, cell.x + (0.05f - size.x) / 2, 1e-6f);
  EXPECT_NEAR(item.position.y, cell.y + (0.05f - size.y) / 2, 1e-6f);
  EXPECT_EQ(item.tint, 0xFFFFFFFFu);
}

TEST_F(QORWellSFXTest, TickFollowsTheScrollSparklesTakeACellAndScoresGoToTheBoard) {
  QORWellSFX effects(&board_, nullptr);
  effects.Init();
  board_.SetScroll({0.2f, 0.1f});
  effects.Tick(0.01f);
  EXPECT_FLOAT_EQ(effects.GetOffset().x, board_.GetScroll().x);
  EXPECT_FLOAT_EQ(effects.GetOffset().y, board_.GetScroll().y);
  effects.SparkleAt({0.3f, 0.4f});
  const well::SpriteSFX* sparkle = effects.GetSparkleSet()->GetItem(0);
  ASSERT_TRUE(sparkle->IsRunning());
  EXPECT_FLOAT_EQ(sparkle->size.x, 0.05f);
  EXPECT_FLOAT_EQ(sparkle->timer.period, 1.0f);
  effects.AddScore(30);
  effects.AddScore(12);
  EXPECT_EQ(board_.score, 42);
}

// Coins ------------------------------------------------------------------

TEST_F(QORWellSFXTest, ACoinWaitsItsDelayFliesItsTimeAndPaysOnceWhenItLands) {
  well::WellSFX effects(nullptr, &board_);
  CoinSFX coins(nullptr, &effects);
  coins.Load("coin_16x16.png", 5);
  coins.Launch(7, {0.9f, 0.1f}, {0.2f, 0.6f}, 1.0f, 0.5f);
  EXPECT_EQ(coins.GetFlyingCount(), 1u);
  std::vector<float> drawnAt;
  std::vector<std::pair<float, int32_t>> paid;
  for (float now = 0.125f; now <= 2.0f; now += 0.125f) {
    coins.Tick(0.125f);
    graphics_.calls.clear();
    coins.Draw();
    if (Draws() > 0) drawnAt.push_back(now);
    if (paid.empty() ? Gold() != 0 : Gold() != paid.back().second) paid.push_back({now, Gold()});
  }
  ASSERT_FALSE(drawnAt.empty());
  EXPECT_FLOAT_EQ(drawnAt.front(), 0.5f) << "a waiting coin is not drawn";
  // The flight's 1 s starts with the tick after the wait: its time runs out
  // (below 0) with the first tick past 1.5 s.
  EXPECT_EQ(paid, (std::vector<std::pair<float, int32_t>>{{1.625f, 7}}));
  EXPECT_FLOAT_EQ(drawnAt.back(), 1.5f);
  EXPECT_EQ(coins.GetFlyingCount(), 0u);
}

// Coins fly in board space: the offset (the board's scroll) moves them.
TEST_F(QORWellSFXTest, ACoinFollowsTheOffset) {
  well::WellSFX effects(nullptr, &board_);
  CoinSFX coins(nullptr, &effects);
  coins.Load("coin_16x16.png", 2);
  coins.Launch(5, {0.9f, 0.1f}, {0.6f, 0.6f}, 1.0f, 0.0f);
  std::vector<float> corners;
  for (const math::Vec2 offset : {math::Vec2(0.0f, 0.0f), math::Vec2(0.1f, 0.05f)}) {
    effects.SetOffset(offset);
    graphics_.drawn.clear();
    coins.Draw();
    ASSERT_EQ(graphics_.drawn.size(), 1u);
    corners.push_back(graphics_.drawn[0][0].x);
    corners.push_back(graphics_.drawn[0][0].y);
  }
  EXPECT_NEAR(corners[2] - corners[0], -80.0f, 0.01f);
  EXPECT_NEAR(corners[3] - corners[1], -30.0f, 0.01f);
}

TEST_F(QORWellSFXTest, EveryLandingCoinPaysTheAmountOfTheLastLaunch) {
  well::WellSFX effects(nullptr, &board_);
  CoinSFX coins(nullptr, &effects);
  coins.Load("coin_16x16.png", 5);
  coins.Launch(10, {0.9f, 0.1f}, {0.2f, 0.6f}, 1.0f, 0.0f);
  coins.Tick(0.5f);
  coins.Launch(25, {0.9f, 0.1f}, {0.2f, 0.6f}, 1.0f, 0.0f);
  coins.Tick(0.75f);
  EXPECT_EQ(Gold(), 25);
  coins.Tick(0.5f);
  EXPECT_EQ(Gold(), 50);
  // Without the game variables' accessors coins land without paying.
  CoinSFX::SetGoldAccess(nullptr, nullptr);
  coins.Launch(5, {0.9f, 0.1f}, {0.2f, 0.6f}, 0.1f, 0.0f);
  coins.Tick(0.5f);
  EXPECT_EQ(Gold(), 50);
  EXPECT_EQ(coins.GetFlyingCount(), 0u);
}

TEST_F(QORWellSFXTest, TheFiftyFirstGoldCoinShowsNothingYetSetsTheAmount) {
  QORWellSFX effects(&board_, nullptr);
  effects.Init();
  CoinSFX& gold = *effects.GetGoldCoins();
  for (int i = 0; i < 50; ++i) gold.Launch(1, {0.9f, 0.1f}, {0.2f, 0.6f}, 1.0f, 0.0f);
  gold.Tick(0.1f);
  graphics_.calls.clear();
  gold.Draw();
  EXPECT_EQ(Draws(), 50u);
  gold.Launch(3, {0.5f, 0.5f}, {0.1f, 0.1f}, 1.0f, 0.0f);
  EXPECT_EQ(gold.GetFlyingCount(), 50u);
  EXPECT_EQ(gold.GetAmount(), 3);
  graphics_.calls.clear();
  gold.Draw();
  EXPECT_EQ(Draws(), 50u);
  gold.Tick(1.0f);
  EXPECT_EQ(Gold(), 150) << "every coin pays the last amount";
}

// A coin's arc, set by the test.
class ArcCoins : public CoinSFX {
 public:
  using CoinSFX::CoinSFX;
  void SetArc(size_t coin, float arc) { coins_[coin].arc = arc; }
};

TEST_F(QORWellSFXTest, ACoinBendsSidewaysByItsArcAndGrowsToFullSizeHalfway) {
  well::WellSFX effects(nullptr, &board_);
  ArcCoins coins(nullptr, &effects);
  coins.Load("coin_16x16.png", 1);
  for (int i = 0; i < 200; ++i) {
    coins.Launch(0, {0.9f, 0.1f}, {0.2f, 0.6f}, 1.0f, 0.0f);
    EXPECT_LE(std::fabs(coins.GetCoins()[0].arc), CoinSFX::kMaxArc);
    coins.Tick(2.0f);
  }
  const struct {
    float arc;
    float progress;
    float x, y;  // the coin's top-left corner, in screen units
    float scale;
  } rows[] = {
      // From (0.2, 0.6) to (0.6, 0.4): d = (0.4, -0.2), the side (0.2, 0.4).
      {0.0f, 0.5f, 0.4f, 0.5f, 1.0f},
      {0.2f, 0.5f, 0.4f + 0.2f * 0.2f, 0.5f + 0.2f * 0.4f, 1.0f},
      {-0.2f, 0.5f, 0.4f - 0.2f * 0.2f, 0.5f - 0.2f * 0.4f, 1.0f},
      {0.2f, 0.0f, 0.2f, 0.6f, 0.3f},
  };
  for (const auto& row : rows) {
    coins.Launch(0, {0.6f, 0.4f}, {0.2f, 0.6f}, 1.0f, 0.0f);
    coins.SetArc(0, row.arc);
    coins.Tick(row.progress);
    graphics_.drawn.clear();
    coins.Draw();
    ASSERT_EQ(graphics_.drawn.size(), 1u);
    float left = 1e9f, top = 1e9f, right = -1e9f;
    for (const Vertex2D& v : graphics_.drawn[0]) {
      left = std::min(left, v.x);
      top = std::min(top, v.y);
      right = std::max(right, v.x);
    }
    // Quads carry a half-pixel offset.
    EXPECT_NEAR(left + 0.5f, row.x * 800.0f, 0.05f) << row.arc << " at " << row.progress;
    EXPECT_NEAR(top + 0.5f, row.y * 600.0f, 0.05f) << row.arc << " at " << row.progress;
    EXPECT_NEAR(right - left, 16.0f * row.scale, 0.05f) << row.arc << " at " << row.progress;
    coins.Tick(2.0f);
  }
}

}  // namespace
