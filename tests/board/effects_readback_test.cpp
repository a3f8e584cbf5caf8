// The effects on the real renderer: an explosion glowing where it was put
// and dimming as it runs, coins halfway along their flight, and the game's
// own effects loading from data/ without a fault.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "board/effects/coin_sfx.h"
#include "board/effects/qor_well_sfx.h"
#include "core/files/resman.h"
#include "core/script/lua_test_support.h"
#include "log_capture.h"
#include "render/graphics_fixture.h"
#include "render/particles/part2d.h"
#include "render/sprites/sprite_set.h"
#include "well/board_test_support.h"
#include "well/effects/explosion_sfx_set.h"
#include "well/effects/part2d_sfx_set.h"
#include "well/effects/simple_sfx.h"

namespace {

class EffectsReadbackTest : public GraphicsTest {
 protected:
  void TearDown() override {
    ui::GetSpriteSet()->Clear();
    res::GetResMan().ClearResources();
    GraphicsTest::TearDown();
  }
  void ClearBlack() { graphics_->Clear(0xFF000000u, 1.0f, 0, 1, 1, 0); }
  // A plain white image of the size, drawn by ImageMagick.
  std::string WhiteImage(const std::string& name, int width, int height) {
    const std::string path = scratch_.Path(name);
    const std::string command = "convert -size " + std::to_string(width) + "x" + std::to_string(height) +
                                " xc:white PNG32:'" + path + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return path;
  }
  static int Brightness(uint32_t pixel) { return static_cast<int>(pixel & 0xFF); }

  testsupport::ScratchDir scratch_;
  well::WellSFX effects_{nullptr, nullptr};
};

TEST_F(EffectsReadbackTest, AnExplosionGlowsAtItsPlaceAndDimsAsItRuns) {
  well::ExplosionSFXSet set(nullptr, &effects_);
  set.Load(VANTOR_SOURCE_DIR "/data/img/Explosion_white.png", 2, 0, 0);
  ASSERT_TRUE(set.GetSprite().HasImage());
  set.Trigger({0.5f, 0.5f}, 1.0f, 0.1f, 0.1f);  // 80 pixels across x, 60 down
  ClearBlack();
  set.Draw();
  const int fresh = Brightness(Pixel(400, 300));
  EXPECT_GT(fresh, 200) << "white at the centre";
  EXPECT_LT(Brightness(Pixel(470, 300)), fresh / 2) << "fading towards the rim";
  EXPECT_EQ(Pixel(490, 300), 0u) << "nothing past the rim";
  EXPECT_EQ(Pixel(100, 100), 0u);
  set.Tick(0.5f);
  ClearBlack();
  set.Draw();
  const int half = Brightness(Pixel(400, 300));
  EXPECT_GT(half, 10);
  EXPECT_LT(half, fresh * 3 / 4) << "dimmer halfway";
}

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
