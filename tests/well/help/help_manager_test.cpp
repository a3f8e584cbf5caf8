#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "core/text/strman.h"
#include "log_capture.h"
#include "ui/ui_test_support.h"
#include "well/board_test_support.h"
#include "well/help/help_manager.h"
#include "well/help/help_panel.h"
#include "well/help/well_dynamic_help.h"

namespace {

using board_testing::FrameClock;
using well::HelpPanel;

// A frame of 96 x 96 pixels: cells of 0.04 x 0.0533333; corners of 16 x 16.
class TestManager : public well::HelpManager {
 public:
  bool CanShow(int32_t id) override { return allowed.count(id) != 0; }
  void MarkShown(int32_t id) override { shown.push_back(id); }
  void CreatePanel() override {
    auto* panel = new well::WellDynamicHelp(0.01f, 0.05f, {0.99f, 0.99f});
    panel_.reset(panel);
    panel->SetFrame("frame_96x96.png", "", "tl_16x16.png", "bl_16x16.png", "tr_16x16.png", "br_16x16.png");
  }
  well::WellDynamicHelp* Box() const { return static_cast<well::WellDynamicHelp*>(GetPanel()); }

  std::set<int32_t> allowed;
  std::vector<int32_t> shown;
};

class HelpManagerTest : public ui_testing::UITest {
 protected:
  void OpenFully(TestManager& manager) {
    for (int i = 0; i < 10 && manager.GetPanel()->GetState() == HelpPanel::kOpening; ++i) manager.Tick(0.1f);
  }
  const math::Vec2 a_{0.3f, 0.4f}, b_{0.4f, 0.5f};
};

TEST_F(HelpManagerTest, AHintTheManagerRefusesQueuesNothingAndMakesNoPanel) {
  TestManager manager;
  manager.TriggerHint(7, a_, b_);
  EXPECT_EQ(manager.GetPanel(), nullptr);
  EXPECT_EQ(manager.GetQueuedCount(), 0u);
  EXPECT_FALSE(manager.IsHintOpen());
  EXPECT_EQ(Played("hint_up"), 0);
}

TEST_F(HelpManagerTest, HintsOfOneFrameOpenOneAfterAnotherEachAfterASecond) {
  FrameClock clock(100.0f);
  TestManager manager;
  manager.allowed = {1, 2, 3};
  for (int32_t id : {1, 2, 3}) manager.TriggerHint(id, a_, b_);
  ASSERT_NE(manager.GetPanel(), nullptr);
  EXPECT_EQ(manager.GetPanel()->GetTextId(), "HINT_02");
  EXPECT_EQ(manager.GetQueuedCount(), 2u);
  EXPECT_EQ(Played("hint_up"), 1);
  EXPECT_EQ(Played("help_open"), 1);
  EXPECT_EQ(Played("press"), 1);
  OpenFully(manager);
  ASSERT_EQ(manager.GetPanel()->GetState(), HelpPanel::kOpen);

  clock.Set(100.5f);
  manager.Dismiss();
  EXPECT_EQ(manager.GetPanel()->GetTextId(), "HINT_02") << "half a second is too early";
  // Straight into the next, without the closing sound.
  clock.Set(101.2f);
  manager.Dismiss();
  EXPECT_EQ(manager.GetPanel()->GetTextId(), "HINT_03");
  EXPECT_EQ(manager.GetPanel()->GetState(), HelpPanel::kOpening);
  EXPECT_EQ(Played("hint_up"), 2);
  EXPECT_EQ(Played("hint_down"), 0);
  EXPECT_EQ(Played("help_close"), 0);
  OpenFully(manager);
  clock.Set(102.5f);
  manager.Dismiss();
  EXPECT_EQ(manager.GetPanel()->GetTextId(), "HINT_04");
  OpenFully(manager);
  // The last closes with both sounds.
  clock.Set(104.0f);
  manager.Dismiss();
  EXPECT_EQ(manager.GetPanel()->GetState(), HelpPanel::kClosing);
  EXPECT_EQ(Played("hint_down"), 1);
  EXPECT_EQ(Played("help_close"), 1);
  EXPECT_TRUE(manager.IsHintOpen());
  manager.Tick(0.9f);
  EXPECT_FALSE(manager.IsHintOpen());
  EXPECT_EQ(manager.shown, (std::vector<int32_t>{1, 2, 3}));
}

TEST_F(HelpManagerTest, QueuedHintsOpenWhenTheirTurnComesOnlyIfStillWanted) {
  FrameClock clock(10.0f);
  TestManager manager;
  manager.allowed = {1, 2, 3};
  for (int32_t id : {1, 2, 3}) manager.TriggerHint(id, a_, b_);
  manager.allowed.erase(2);
  OpenFully(manager);
  clock.Set(12.0f);
  manager.Dismiss();
  EXPECT_EQ(manager.GetPanel()->GetTextId(), "HINT_04") << "hint 2 is dropped";
  EXPECT_EQ(manager.GetQueuedCount(), 0u);
  // A hint queued while the box closes opens once it has closed.
  OpenFully(manager);
  clock.Set(14.0f);
  manager.Dismiss();
  manager.allowed.insert(5);
  manager.TriggerHint(5, a_, b_);
  EXPECT_EQ(manager.GetPanel()->GetState(), HelpPanel::kClosing);
  manager.Tick(0.9f);
  EXPECT_EQ(manager.GetPanel()->GetTextId(), "HINT_06");
  EXPECT_EQ(manager.GetPanel()->GetState(), HelpPanel::kOpening);
  // Closed at once, silently.
  ClearPlayed();
  manager.CloseHint();
  EXPECT_FALSE(manager.IsHintOpen());
  EXPECT_EQ(Played("help_close") + Played("hint_down"), 0);
}

TEST_F(HelpManagerTest, TheBaseNamesHintsByTheirNumberFromOne) {
  TestManager manager;
  const struct {
    int32_t id;
    const char* text;
  } cases[] = {{0, "HINT_01"}, {8, "HINT_09"}, {9, "HINT_10"}, {41, "HINT_42"}};
  for (const auto& c : cases) EXPECT_EQ(manager.GetHintTextId(c.id), c.text) << c.id;
}

// A box of a fixed size and icon offset, to lay out.
class FixedBoxPanel : public HelpPanel {
 public:
  FixedBoxPanel(math::Vec2 box, math::Vec2 icon) : HelpPanel(0.01f, 0.05f, {0.99f, 0.99f}), box_(box), icon_(icon) {}
  void SetFont(const std::string&) override {}
  void SetTextBorder(const math::Vec2&) override {}
  math::Vec2 GetBoxSize() const override { return box_; }
  math::Vec2 GetIconOffset() const override { return icon_; }

 private:
  math::Vec2 box_, icon_;
};

TEST_F(HelpManagerTest, TheBoxIsLaidOutBesideTheRectangleInsideTheArea) {
  const struct {
    const char* what;
    math::Vec2 box, icon, rectMin, rectMax, expected;
  } cases[] = {
      {"right of it, centred", {0.2f, 0.1f}, {0, 0}, {0.3f, 0.4f}, {0.4f, 0.5f}, {0.45f, 0.4f}},
      {"at the right edge: left of it", {0.2f, 0.1f}, {0, 0}, {0.85f, 0.4f}, {0.95f, 0.5f}, {0.6f, 0.4f}},
      {"the icon counts on the right", {0.2f, 0.1f}, {0.05f, 0.05f}, {0.7f, 0.4f}, {0.75f, 0.5f}, {0.4f, 0.4f}},
      {"at the top: below it", {0.2f, 0.1f}, {0, 0}, {0.3f, 0.02f}, {0.4f, 0.06f}, {0.45f, 0.11f}},
      {"at the bottom: above it", {0.2f, 0.1f}, {0, 0}, {0.3f, 0.92f}, {0.4f, 0.98f}, {0.45f, 0.77f}},
      {"no room beside: centred, above it", {0.9f, 0.1f}, {0, 0}, {0.4f, 0.4f}, {0.5f, 0.5f}, {0.05f, 0.25f}},
      {"no room beside nor above: below it", {0.9f, 0.1f}, {0, 0}, {0.4f, 0.08f}, {0.5f, 0.18f}, {0.05f, 0.23f}},
      {"taller than the area: centred", {0.2f, 1.0f}, {0, 0}, {0.3f, 0.4f}, {0.4f, 0.5f}, {0.45f, 0.02f}},
  };
  for (const auto& c : cases) {
    FixedBoxPanel panel(c.box, c.icon);
    panel.Open(c.rectMax, c.rectMin, "ANY");  // the corners in any order
    panel.LayOut();
    EXPECT_NEAR(panel.GetBoxPosition().x, c.expected.x, 1e-5f) << c.what;
    EXPECT_NEAR(panel.GetBoxPosition().y, c.expected.y, 1e-5f) << c.what;
    if (c.box.y < 0.9f) {
      const float top = panel.GetBoxPosition().y, bottom = top + c.box.y;
      const float left = panel.GetBoxPosition().x, right = left + c.box.x;
      const bool overlaps = top < c.rectMax.y && bottom > c.rectMin.y && left < c.rectMax.x && right > c.rectMin.x;
      EXPECT_FALSE(overlaps) << c.what << ": clear of the rectangle";
    }
  }
}

TEST_F(HelpManagerTest, TheBoxFitsTheLocalisedTextInWholeCellsAtLeastTwoEachWay) {
  auto* longHint = new std::u16string(u"123456789012345678901234567890\nsecond line");
  lang::GetStrMan().Add("TEST_LONG_HINT", longHint);
  TestManager manager;
  manager.allowed = {1};
  manager.CreatePanel();
  well::WellDynamicHelp* box = manager.Box();
  EXPECT_NEAR(box->GetCellSize().x, 0.04f, 1e-6f);
  EXPECT_NEAR(box->GetCellSize().y, 0.0533333f, 1e-6f);
  const struct {
    const char* id;
    int32_t columns, rows;
  } cases[] = {
      // 0.02 x 0.03 of text: less than two cells each way.
      {"Hi", 2, 2},
      // 0.3 x 0.06: (0.0375 + 0.3) / 0.04 + 1 and (0.0667 + 0.06) / 0.0533 + 1.
      {"TEST_LONG_HINT", 9, 3},
  };
  for (const auto& c : cases) {
    box->SetState(HelpPanel::kClosed);
    box->Open({0.3f, 0.4f}, {0.4f, 0.5f}, c.id);
    EXPECT_EQ(box->GetColumns(), c.columns) << c.id;
    EXPECT_EQ(box->GetRows(), c.rows) << c.id;
  }
  EXPECT_EQ(box->GetText().GetSource().substr(0, 10), u"1234567890") << "the table's text, not the key";
  lang::GetStrMan().Entries().erase(lang::GetStrMan().KeyOf("TEST_LONG_HINT"));
  delete longHint;
}

TEST_F(HelpManagerTest, TheFrameIsDrawnCellByCellWithTheTextInsideAndTheCornersFlyingIn) {
  FrameClock clock(0.0f);
  TestManager manager;
  manager.allowed = {1};
  manager.TriggerHint(1, {0.3f, 0.4f}, {0.4f, 0.5f});
  well::WellDynamicHelp* box = manager.Box();
  // "HINT_02": 0.07 x 0.03 of text.
  ASSERT_EQ(box->GetColumns(), 3);
  ASSERT_EQ(box->GetRows(), 2);
  const math::Vec2 corner = box->GetCornerPosition(0);
  const math::Vec2 native(0.02f, 16.0f / 600.0f);

  // As the box starts opening each corner is five times its size, 0.3 out.
  box->Draw({0.0f, 0.0f});
  EXPECT_NEAR(box->GetCorner(0).position.x, corner.x - 0.3f, 1e-5f);
  EXPECT_NEAR(box->GetCorner(0).position.y, corner.y - 0.3f, 1e-5f);
  EXPECT_NEAR(box->GetCorner(0).size.x, native.x * 5.0f, 1e-5f);
  EXPECT_NEAR(box->GetCorner(3).position.x, box->GetCornerPosition(3).x + 0.3f, 1e-5f);
  EXPECT_NEAR(box->GetCorner(3).position.y, box->GetCornerPosition(3).y + 0.3f, 1e-5f);
  EXPECT_NEAR(corner.x, 0.3f - native.x / 2, 1e-5f) << "centred on the rectangle's corner";

  manager.Tick(0.9f);
  ASSERT_EQ(box->GetState(), HelpPanel::kOpen);
  graphics_.drawn.clear();
  font_->draws.clear();
  box->Draw({0.0f, 0.0f});
  EXPECT_NEAR(box->GetCorner(0).position.x, corner.x, 1e-5f);
  EXPECT_NEAR(box->GetCorner(0).size.x, native.x, 1e-5f);
  // Four corners, then the frame's 3 x 2 cells in one batch.
  ASSERT_EQ(graphics_.drawn.size(), 5u);
  const std::vector<Vertex2D>& frame = graphics_.drawn[4];
  ASSERT_EQ(frame.size(), 36u);
  const math::Vec2 cellUv[] = {{0, 0}, {0, 2}, {1, 0}, {1, 2}, {2, 0}, {2, 2}};  // by column, then row
  for (size_t cell = 0; cell < 6; ++cell) {
    float uMin = 1, vMin = 1;
    for (size_t v = cell * 6; v < cell * 6 + 6; ++v) {
      uMin = std::min(uMin, frame[v].u);
      vMin = std::min(vMin, frame[v].v);
    }
    EXPECT_NEAR(uMin, cellUv[cell].x / 3.0f, 1e-5f) << cell;
    EXPECT_NEAR(vMin, cellUv[cell].y / 3.0f, 1e-5f) << cell;
  }
  // The text inside the box, black by default of its colour.
  ASSERT_EQ(font_->draws.size(), 1u);
  const math::Vec2 at = font_->draws[0].position;
  const math::Vec2 origin = box->GetBoxPosition();
  EXPECT_GE(at.x, origin.x);
  EXPECT_GE(at.y, origin.y);
  EXPECT_LE(at.x, origin.x + 0.12f);
  EXPECT_LE(at.y, origin.y + 0.1066667f);
}

TEST_F(HelpManagerTest, AnIconShowsOnItsSidebarAndXxxxClearsItWithoutLoadingAnything) {
  LogCapture log;
  TestManager manager;
  manager.allowed = {1};
  manager.TriggerHint(1, {0.3f, 0.4f}, {0.4f, 0.5f});
  well::WellDynamicHelp* box = manager.Box();
  manager.Tick(0.9f);
  const struct {
    const char* icon;
    bool shown;
  } cases[] = {{"left_mouse", true}, {"xxxx", false}, {"right_mouse", true}, {"", false}};
  for (const auto& c : cases) {
    graphics_.loaded.clear();
    box->SetImage(c.icon);
    EXPECT_EQ(box->GetIcon().HasImage(), c.shown) << c.icon;
    graphics_.drawn.clear();
    box->Draw({0.0f, 0.0f});
    // Corners and frame, with the sidebar and the icon before the frame.
    EXPECT_EQ(graphics_.drawn.size(), c.shown ? 7u : 5u) << c.icon;
    if (!c.shown) {
      EXPECT_TRUE(graphics_.loaded.empty()) << c.icon;
    }
  }
  EXPECT_FALSE(log.Has("Unable to load image"));
}

}  // namespace
