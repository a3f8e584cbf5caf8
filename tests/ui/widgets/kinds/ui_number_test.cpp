#include "ui/widgets/kinds/ui_number.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "log_capture.h"
#include "ui/ui_test_support.h"

namespace {

class UINumberTest : public ui_testing::UITest {
 protected:
  // The cells drawn, left to right, read back from the texture ranges:
  // "1,000" or "1:05".
  std::string Shown(int value, bool commas) {
    std::vector<Vertex2D> quads(ui::UINumber::kMaxVertices);
    const int count = number_.BuildDigitQuads(value, {0, 0}, number_.GetCellSize(), 0xFFFFFFFFu, commas, quads.data());
    std::string shown;
    for (int i = 0; i < count; i += 6) {
      for (int cell = 0; cell < 12; ++cell)
        if (quads[i + 1].u == number_.GetEdge(cell) && quads[i + 2].u == number_.GetEdge(cell + 1)) {
          shown += "0123456789,:"[cell];
          break;
        }
    }
    return shown;
  }

  ui::UINumber number_;
};

TEST_F(UINumberTest, NumbersAndClocksShowTheirCellsAndMeasureTheirWidth) {
  // Distinct edges so that every cell reads back.
  WriteText("digits.lua", "Number = { Image = 'digits_350x32.png', Size = { 0.02, 0.03 },"
                          " Coords = { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12 } }");
  number_.Load("digits.lua");
  struct Case {
    int value;
    bool clock, commas;
    const char* shown;
    float cells;
  };
  const Case cases[] = {{999, false, true, "999", 3},          {1000, false, true, "1,000", 4.3f},
                        {1000, false, false, "1000", 4},       {1234567, false, true, "1,234,567", 7.6f},
                        {100, false, true, "100", 3},          {0, false, true, "0", 1},
                        {-5, false, true, "", 1},              {5, true, false, "05", 2},
                        {59, true, false, "59", 2},            {60, true, false, "1:00", 3.3f},
                        {65, true, false, "1:05", 3.3f},       {600, true, false, "10:00", 4.3f},
                        {3599, true, false, "59:59", 4.3f},    {7200, true, false, "99:59", 4.3f},
                        {6000, true, false, "99:59", 4.3f}};
  for (const Case& c : cases) {
    number_.SetClock(c.clock);
    EXPECT_EQ(Shown(c.value, c.commas), c.shown) << c.value;
    EXPECT_NEAR(number_.MeasureWidth(c.value, c.commas).x, c.cells * 0.02f, 1e-6f) << c.value;
    EXPECT_FLOAT_EQ(number_.MeasureWidth(c.value, c.commas).y, 0.03f);
  }
}

TEST_F(UINumberTest, FilesReplaceUpToThirteenEdgesAndTheImage) {
  EXPECT_FLOAT_EQ(number_.GetEdge(1), 0.09142857f);
  std::string coords;
  for (int i = 0; i < 20; ++i) coords += std::to_string(i) + ", ";
  WriteText("long.lua", "Number = { Image = 'a_350x32.png', Coords = { " + coords + "} }");
  WriteText("short.lua", "Number = { Image = 'b_350x32.png', Coords = { 0.5 } }");
  number_.Load("long.lua");
  EXPECT_EQ(number_.GetEdge(12), 12.0f);
  const int live = RecordingGraphics::LiveImages();
  number_.Load("short.lua");
  EXPECT_EQ(RecordingGraphics::LiveImages(), live);  // the old image went
  EXPECT_EQ(number_.GetEdge(0), 0.5f);
  EXPECT_FLOAT_EQ(number_.GetEdge(1), 0.09142857f);  // the defaults behind the entries given
  EXPECT_FLOAT_EQ(number_.GetCellSize().x, 0.02f);
  {
    LogCapture log;
    number_.Load("none.lua");
    EXPECT_NE(LogCapture::Lines().back().find("Unable to load UINumber ini filenone.lua!  [MSG_ERROR]"),
              std::string::npos);
  }
  EXPECT_EQ(number_.GetEdge(0), 0.5f);
}

TEST_F(UINumberTest, DrawingNeedsAnImageAndAlignsInTheWidget) {
  ui::UIWidget* widget = Make(nullptr, "score", {0.5f, 0.1f}, {0.2f, 0.1f});
  number_.DrawInWidget(widget, 2, 12, 1, false, 0xFFFFFFFFu);
  EXPECT_TRUE(graphics_.calls.empty());  // no image, nothing drawn
  WriteText("digits.lua", "Number = { Image = 'digits_350x32.png' }");
  number_.Load("digits.lua");
  struct Case {
    int alignment;
    float x, y;
  };
  // 12 is 0.04 x 0.03; the widget spans x 0.5 .. 0.7 and y 0.1 .. 0.2.
  for (const Case& c : {Case{0, 0.5f, 0.1f}, Case{1, 0.58f, 0.135f}, Case{2, 0.66f, 0.135f}}) {
    graphics_.drawn.clear();
    number_.DrawInWidget(widget, c.alignment, 12, 1, false, 0xFFFFFFFFu);
    ASSERT_EQ(graphics_.drawn.size(), 1u);
    ASSERT_EQ(graphics_.drawn[0].size(), 12u);
    EXPECT_NEAR(graphics_.drawn[0][1].x, c.x * 800, 1e-3f) << c.alignment;
    EXPECT_NEAR(graphics_.drawn[0][1].y, c.y * 600, 1e-3f) << c.alignment;
  }
  EXPECT_EQ(graphics_.calls.back(), RecordingGraphics::Draw(12));
  graphics_.drawn.clear();
  number_.DrawInWidget(widget, 3, 12, 1, false, 0xFFFFFFFFu);
  number_.DrawInWidget(nullptr, 0, 12, 1, false, 0xFFFFFFFFu);
  number_.Draw(-1, {0, 0}, 1, false, 0xFFFFFFFFu);
  EXPECT_TRUE(graphics_.drawn.empty());
}

TEST_F(UINumberTest, TheGamesNumberFilesNameTheirStripsAndOrderedCells) {
  for (const char* file : {"img/time_number.lua", "img/popup_number.lua"}) {
    ui::UINumber number;
    graphics_.loaded.clear();
    number.Load(std::string(VANTOR_SOURCE_DIR) + "/data/" + file);
    ASSERT_EQ(graphics_.loaded.size(), 1u) << file;
    EXPECT_EQ(graphics_.loaded[0].rfind("img/digits_", 0), 0u) << file;
    EXPECT_EQ(number.GetEdge(0), 0.0f);
    EXPECT_EQ(number.GetEdge(ui::UINumber::kEdgeCount - 1), 1.0f);
    for (int i = 1; i < ui::UINumber::kEdgeCount; ++i) EXPECT_GT(number.GetEdge(i), number.GetEdge(i - 1)) << file;
  }
}

}  // namespace
