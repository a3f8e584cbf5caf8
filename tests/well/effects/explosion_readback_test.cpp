// An explosion on the real renderer: it glows where it was put and dims as
// it runs.
#include <gtest/gtest.h>

#include "well/effects/effects_readback_support.h"
#include "well/effects/explosion_sfx_set.h"

namespace {

using effects_testing::EffectsReadbackTest;

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

}  // namespace
