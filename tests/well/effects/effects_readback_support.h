// The effects' tests on the real renderer: a black screen to draw on, plain
// white images made to measure, and effects on no board.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "core/files/resman.h"
#include "core/script/lua_test_support.h"
#include "render/graphics_fixture.h"
#include "render/sprites/sprite_set.h"
#include "well/effects/well_sfx.h"

namespace effects_testing {

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

}  // namespace effects_testing
