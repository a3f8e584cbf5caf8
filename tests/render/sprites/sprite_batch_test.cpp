#include "render/sprites/sprite_batch.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "render/sprite_test_support.h"
#include "render/sprites/ui_sprite.h"

namespace {

using Call = RecordingGraphics::Call;
using sprite_testing::SpriteTest;

class SpriteBatchTest : public SpriteTest {
 protected:
  // Sprites side by side, each showing the image of its name.
  void MakeSprites(const std::vector<std::string>& images) {
    for (const std::string& image : images) {
      auto sprite = std::make_unique<ui::UISprite>();
      sprite->LoadImage(image);
      sprite->position = {0.001f * static_cast<float>(sprites_.size()), 0};
      sprite->size = {0.01f, 0.01f};
      sprites_.push_back(std::move(sprite));
    }
  }
  void AddAll() {
    for (const auto& sprite : sprites_) batch_.Add(sprite.get());
  }
  // The sprites whose quads were drawn, in drawing order, told by position.
  std::vector<size_t> DrawnOrder() const {
    std::vector<size_t> order;
    for (const auto& draw : graphics_.drawn)
      for (size_t v = 0; v < draw.size(); v += 6)
        order.push_back(static_cast<size_t>((draw[v + 1].x + 0.5f) / 0.8f + 0.5f));
    return order;
  }

  ui::SpriteBatch batch_;
  std::vector<std::unique_ptr<ui::UISprite>> sprites_;
};

TEST_F(SpriteBatchTest, AnEmptyFlushCallsNothing) {
  batch_.Flush(true);
  batch_.Flush(false);
  EXPECT_TRUE(graphics_.calls.empty());
}

TEST_F(SpriteBatchTest, OneTextureDrawsAtMost996VerticesACallAndBindsBeforeEach) {
  MakeSprites(std::vector<std::string>(170, "a.png"));
  AddAll();
  batch_.Flush(true);
  const Surface* a = graphics_.TextureOf("a.png");
  EXPECT_EQ(graphics_.calls, (std::vector<Call>{RecordingGraphics::Bind(a), RecordingGraphics::Draw(996),
                                                RecordingGraphics::Bind(a), RecordingGraphics::Draw(24)}));
  EXPECT_EQ(batch_.GetCount(), 0u);

  // The quads are the sprites' own, in order.
  std::vector<Vertex2D> expected(6);
  sprites_[169]->BuildQuad(expected.data());
  const std::vector<Vertex2D>& last = graphics_.drawn[1];
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(last[18 + i].x, expected[i].x);
    EXPECT_EQ(last[18 + i].u, expected[i].u);
  }
}

TEST_F(SpriteBatchTest, SortingGroupsTexturesAndKeepsTheOrderWithinEach) {
  MakeSprites({"a.png", "b.png", "a.png", "b.png", "a.png", "b.png"});
  AddAll();
  batch_.Flush(false);
  EXPECT_EQ(graphics_.drawn.size(), 6u);
  EXPECT_EQ(DrawnOrder(), (std::vector<size_t>{0, 1, 2, 3, 4, 5}));

  graphics_.calls.clear();
  graphics_.drawn.clear();
  AddAll();
  batch_.Flush(true);
  ASSERT_EQ(graphics_.drawn.size(), 2u);
  const std::vector<size_t> order = DrawnOrder();
  const bool aFirst = graphics_.TextureOf("a.png") < graphics_.TextureOf("b.png");
  EXPECT_EQ(order, aFirst ? (std::vector<size_t>{0, 2, 4, 1, 3, 5}) : (std::vector<size_t>{1, 3, 5, 0, 2, 4}));
  EXPECT_EQ(graphics_.calls.front().kind, Call::kBind);
}

TEST_F(SpriteBatchTest, CompareTextureOrdersBySurfaceAndPutsNoImageFirst) {
  MakeSprites({"a.png", "b.png", "missing.png"});
  const ui::SpriteBatch::Entry a{sprites_[0].get(), 0, {}, {}, 0};
  const ui::SpriteBatch::Entry b{sprites_[1].get(), 0, {}, {}, 1};
  const ui::SpriteBatch::Entry none{sprites_[2].get(), 0, {}, {}, 2};
  const int sign = graphics_.TextureOf("a.png") < graphics_.TextureOf("b.png") ? -1 : 1;
  EXPECT_EQ(ui::SpriteBatch::CompareTexture(a, b), sign);
  EXPECT_EQ(ui::SpriteBatch::CompareTexture(b, a), -sign);
  EXPECT_EQ(ui::SpriteBatch::CompareTexture(a, a), 0);
  EXPECT_EQ(ui::SpriteBatch::CompareTexture(none, a), -1);
}

TEST_F(SpriteBatchTest, AFullBatchIsDrawnBeforeTheNextSpriteJoins) {
  MakeSprites(std::vector<std::string>(401, "a.png"));
  AddAll();
  EXPECT_EQ(batch_.GetCount(), 1u);
  // 400 sprites: 2400 vertices in draws of 996, 996 and 408.
  EXPECT_EQ(graphics_.drawn.size(), 3u);
  EXPECT_EQ(graphics_.drawn[2].size(), 408u);
  EXPECT_EQ(DrawnOrder().back(), 399u);
  batch_.Flush(false);
  EXPECT_EQ(DrawnOrder().back(), 400u);
}

TEST_F(SpriteBatchTest, SpritesWithoutAnImageAreSkippedAndClippedOnesCut) {
  MakeSprites({"missing.png", "a.png", "a.png"});
  batch_.Add(sprites_[0].get());
  batch_.Add(sprites_[1].get());
  batch_.AddClipped(sprites_[2].get(), {0, 0}, {0.005f, 1});
  batch_.Flush(false);
  // The first entry has no image: nothing is bound until the second.
  const Surface* a = graphics_.TextureOf("a.png");
  EXPECT_EQ(graphics_.calls, (std::vector<Call>{RecordingGraphics::Bind(nullptr), RecordingGraphics::Bind(a),
                                                RecordingGraphics::Draw(12)}));
  Vertex2D clipped[6];
  sprites_[2]->BuildClippedQuad({0, 0}, {0.005f, 1}, clipped);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(graphics_.drawn[0][6 + i].x, clipped[i].x);
}

}  // namespace
