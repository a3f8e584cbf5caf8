#include "render/device/graphics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "render/particles/image_subset.h"

namespace {

TEST(PackARGBTest, TruncatesEachChannelAndKeepsItsLowByte) {
  const struct {
    float r, g, b, a;
    uint32_t packed;
  } cases[] = {
      {1, 1, 1, 1, 0xFFFFFFFFu},
      {0.5f, 0, 0, 1, 0xFF7F0000u},
      {0, 1.5f, 0, 0, 0x00007E00u},  // 382 keeps its low byte
      {0, 0, 0.999f, 0.25f, 0x3F0000FEu},
      // Values no integer holds (a file's 0/0, say) give 0, the rest stand.
      {std::nanf(""), 1, std::numeric_limits<float>::infinity(), 1e30f, 0x0000FF00u},
      {-std::numeric_limits<float>::infinity(), -1e30f, 1, 1, 0xFF0000FFu},
  };
  for (const auto& c : cases) EXPECT_EQ(PackARGB(c.r, c.g, c.b, c.a), c.packed) << c.r << c.g << c.b << c.a;
}

TEST(GraphicsShutdownTest, WithoutAnInstanceDoesNothing) {
  ASSERT_EQ(GetGraphics(), nullptr);
  Graphics::SHUTDOWN();
  EXPECT_EQ(GetGraphics(), nullptr);
}

TEST(ImageSubsetTest, CellsTileTheImageColumnByColumnThenRowByRow) {
  ImageSubset single(1, 1, 0.1f);
  ASSERT_EQ(single.GetCellCount(), 1);
  EXPECT_FLOAT_EQ(single.Cell(0)->right, 1.0f);
  EXPECT_FLOAT_EQ(single.Cell(0)->bottom, 1.0f);

  ImageSubset grid(4, 2, 0.5f);
  ASSERT_EQ(grid.GetCellCount(), 8);
  const ImageCell* cell = grid.Cell(5);  // column 1, row 1
  EXPECT_FLOAT_EQ(cell->left, 0.25f);
  EXPECT_FLOAT_EQ(cell->top, 0.5f);
  EXPECT_FLOAT_EQ(cell->right, 0.5f);
  EXPECT_FLOAT_EQ(cell->bottom, 1.0f);
  EXPECT_EQ(grid.Cell(8), nullptr);
}

}  // namespace
