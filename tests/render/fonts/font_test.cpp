#include "render/fonts/font.h"

#include <gtest/gtest.h>

namespace {

class BuildCounter : public Font {
 public:
  BuildCounter() : Font("Counter") {}
  void DrawTextW(const std::u16string&, const math::Vec2&, const math::Vec2&, uint32_t, uint32_t, int) override {}
  void DrawText(const std::string&, const math::Vec2&, const math::Vec2&, uint32_t, uint32_t, int) override {}
  void GetTextRectW(const std::u16string&, const math::Vec2&, math::Vec2&, math::Vec2&, uint32_t) override {}
  void GetTextRect(const std::string&, const math::Vec2&, math::Vec2&, math::Vec2&, uint32_t) override {}
  bool Build() override { return ++builds, true; }
  int builds = 0;
};

TEST(FontTest, ResizeRebuildsOnlyWhenFaceOrSizeOrWeightChange) {
  BuildCounter font;
  font.Init("Daravur", 8, 20, 7, 550);
  struct Case {
    const char* face;
    int width, height, weight, charset;
    int builds;
  } cases[] = {
      {"DARAVUR", 8, 20, 550, 0, 1},  // case and charset do not count
      {"Daravur", 9, 20, 550, 1, 2},
      {"Daravur", 9, 21, 550, 1, 3},
      {"Daravur", 9, 21, 400, 1, 4},
      {"verdana", 9, 21, 400, 1, 5},
      {"Verdana", 9, 21, 400, 1, 5},
  };
  for (const Case& c : cases) {
    font.Resize(c.face, c.width, c.height, c.weight, c.charset);
    EXPECT_EQ(font.builds, c.builds) << c.face << " " << c.width << " " << c.height << " " << c.weight;
  }
  font.Reload();
  EXPECT_EQ(font.builds, 6);
  EXPECT_EQ(font.GetFace(), "verdana");
  EXPECT_FLOAT_EQ(font.GetHeight(), 0.0f);  // no device: no screen to divide by
}

}  // namespace
