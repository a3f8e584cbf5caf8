// Dynamic images: empty textures made for the program, drawn and read back.
#include <gtest/gtest.h>

#include <memory>

#include "render/graphics_fixture.h"
#include "render/sprites/quad_builders.h"
#include "render/video/dynamic_image.h"

namespace {

class DynamicImageTest : public GraphicsTest {
 protected:
  // The image over a red screen, texels as they are (no blending or alpha test).
  uint32_t DrawOverRed(Image* image) {
    graphics_->SetRenderState(Graphics::kAlphaBlend, 0);
    graphics_->SetRenderState(Graphics::kAlphaTest, 0);
    graphics_->Clear(0xFFFF0000, 0, 0, 1, 0, 0);
    Vertex2D v[6];
    BuildRectQuad(v, {0, 0}, {1, 1}, {0, 0}, {1, 1}, 0xFFFFFFFF);
    graphics_->SetTexture(0, image);
    graphics_->DrawArray2D(v, 6, Graphics::kTriangleList);
    return Pixel(400, 300);
  }
};

TEST_F(DynamicImageTest, EachDepthBindsAllZeroTexels) {
  for (uint32_t bits : {16u, 24u, 32u}) {
    std::unique_ptr<Image> image(graphics_->CreateDynamicImage(64, 32, bits));
    ASSERT_NE(image, nullptr) << bits;
    auto* dynamic = dynamic_cast<DynamicImage*>(image.get());
    ASSERT_NE(dynamic, nullptr);
    EXPECT_EQ(dynamic->GetType(), 0x64796E78u);
    EXPECT_EQ(image->GetName(), "dynamic");
    EXPECT_EQ(image->GetWidth(), 64u);
    EXPECT_EQ(image->GetHeight(), 32u);
    EXPECT_EQ(image->GetSurface(), nullptr);
    EXPECT_FALSE(image->Update());
    EXPECT_EQ(DrawOverRed(image.get()), 0u) << bits;
    EXPECT_TRUE(dynamic->Load("ignored")) << bits;  // a texture made again
  }
}

TEST_F(DynamicImageTest, ImageWithoutATextureIsStillGivenAndBindsNothing) {
  const struct {
    uint32_t width, height;
    const char* line;
  } cases[] = {
      {70000, 8, "Unable to create a 0 x 8 texture surface for the AVI file"},  // wider than 16 bits
      {8, 0, "Unable to create a 8 x 0 texture surface for the AVI file"},
  };
  for (const auto& c : cases) {
    LogCapture log;
    std::unique_ptr<Image> image(graphics_->CreateDynamicImage(c.width, c.height, 32));
    ASSERT_NE(image, nullptr);
    EXPECT_TRUE(LogCapture::Has(c.line)) << LogCapture::Text();
    EXPECT_EQ(DrawOverRed(image.get()), 0xFFFFFFu);  // an unbound stage reads white
  }
}

}  // namespace
