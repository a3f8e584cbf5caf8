// The game's effects on the real renderer: coins halfway along their flight,
// and the effects loading from data/ without a fault.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "board/effects/coin_sfx.h"
#include "board/effects/qor_well_sfx.h"
#include "log_capture.h"
#include "render/particles/part2d.h"
#include "well/board_test_support.h"
#include "well/effects/effects_readback_support.h"
#include "well/effects/explosion_sfx_set.h"
#include "well/effects/part2d_sfx_set.h"
#include "well/effects/simple_sfx.h"

namespace {

using effects_testing::EffectsReadbackTest;

TEST_F(EffectsReadbackTest, CoinsHalfwayLieOnTheLineOrBentOffItByTheirArc) {
  class ArcCoins : public CoinSFX {
   public:
    using CoinSFX::CoinSFX;
    void SetArc(float arc) { coins_[0].arc = arc; }
  };
  const std::string coin = WhiteImage("coin.png", 16, 16);
  for (const float arc : {0.0f, 0.2f}) {
    ArcCoins coins(nullptr, &effects_);
    coins.Load(coin, 1);
    // From (0.25, 0.5) to (0.75, 0.5): halfway at (0.5, 0.5), the side
    // (0, 0.5) scaled by the arc.
    coins.Launch(0, {0.75f, 0.5f}, {0.25f, 0.5f}, 1.0f, 0.0f);
    coins.SetArc(arc);
    coins.Tick(0.5f);
    ClearBlack();
    coins.Draw();
    const uint32_t y = 300 + static_cast<uint32_t>(arc * 0.5f * 600.0f);
    EXPECT_TRUE(Near(Pixel(408, y + 8), 0xFFFFFF, 8)) << "arc " << arc;
    EXPECT_EQ(Pixel(408, arc > 0.0f ? 308 : 368), 0u) << "arc " << arc;
    EXPECT_EQ(Pixel(380, y + 8), 0u) << "arc " << arc << ": nothing left of the coin";
  }
}

// The game's effects as the build draws them and data/ names them.
TEST_F(EffectsReadbackTest, TheGameEffectsLoadFromTheirFilesWithoutAFault) {
  const std::filesystem::path here = std::filesystem::current_path();
  std::filesystem::current_path(VANTOR_SOURCE_DIR "/data");
  {
    LogCapture log;
    ui::GetSpriteSet()->Load("img/sprites.lua");
    board_testing::StubWell board;
    board.Create(20, 12, {0.05f, 0.1f}, {0.9f, 0.8f}, {0.05f, 0.0666667f});
    QORWellSFX effects(&board, nullptr);
    effects.Init();
    for (const char* fault : {"Unable to load", "Missing", "Error loading", "rror"})
      EXPECT_FALSE(LogCapture::Has(fault)) << LogCapture::Text();
    for (size_t i = 0; i < QORWellSFX::kParticleSets; ++i) {
      if (i == 6) continue;
      ASSERT_NE(effects.GetParticleSet(i)->GetSystem(), nullptr) << i;
      EXPECT_GT(effects.GetParticleSet(i)->GetSystem()->GroupC(), 0) << i;
    }
    for (size_t i = 0; i < QORWellSFX::kSimpleSetsMade; ++i) {
      EXPECT_NE(effects.GetSimpleSet(i)->GetItem(0).sprite.GetEntry(), nullptr) << "an animation, set " << i;
      EXPECT_GT(effects.GetSimpleSet(i)->GetFrameSize().x, 0.0f) << i;
    }
    for (size_t i = 0; i < QORWellSFX::kExplosionSets; ++i)
      EXPECT_TRUE(effects.GetExplosionSet(i)->GetSprite().HasImage()) << i;
    EXPECT_GT(effects.GetGoldCoins()->GetNativeSize().x, 0.0f);
    // Every effect started on a cell, drawn over a scrolled board.
    board.SetScroll({0.1f, 0.0f});
    for (size_t i = 0; i < QORWellSFX::kSimpleSetsMade; ++i) effects.TriggerAtCell(3, 4, i);
    for (size_t i = 0; i < QORWellSFX::kParticleSets; ++i)
      effects.GetParticleSet(i)->TriggerCount(5.0f, board.CellToScreen(3, 4) + board.GetScroll());
    effects.GetExplosionSet(QORWellSFX::kBlueBurst)->Trigger({0.3f, 0.3f}, 1.0f, 0.00625f, 0.25f);
    effects.GetGoldCoins()->Launch(1, {0.9f, 0.05f}, {0.3f, 0.3f}, 1.0f, 0.0f);
    effects.SparkleAt({0.5f, 0.5f});
    ClearBlack();
    for (int frame = 0; frame < 5; ++frame) {
      effects.Tick(0.05f);
      effects.Draw();
    }
    EXPECT_FALSE(LogCapture::Has("rror")) << LogCapture::Text();
  }
  std::filesystem::current_path(here);
}

}  // namespace
