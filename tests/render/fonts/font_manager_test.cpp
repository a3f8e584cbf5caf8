#include "render/fonts/font_manager.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/gdi/gdi_font.h"
#include "render/font_test_support.h"
#include "render/graphics_fixture.h"

namespace {

// Stands in for a device font: counts what the manager asks of it.
class CountingFont : public Font {
 public:
  explicit CountingFont(const std::string& name) : Font(name) {}
  void DrawTextW(const std::u16string&, const math::Vec2&, const math::Vec2&, uint32_t, uint32_t, int) override {}
  void DrawText(const std::string& text, const math::Vec2&, const math::Vec2& box, uint32_t flags, uint32_t colour,
                int) override {
    drawn += text + "|";
    lastBox = box;
    lastFlags = flags;
    lastColour = colour;
  }
  void GetTextRectW(const std::u16string&, const math::Vec2&, math::Vec2&, math::Vec2&, uint32_t) override {}
  void GetTextRect(const std::string&, const math::Vec2&, math::Vec2&, math::Vec2&, uint32_t) override {}
  void Flush() override { ++flushes; }
  void Reload() override { ++reloads; }

  std::string drawn;
  math::Vec2 lastBox;
  uint32_t lastFlags = 99;
  uint32_t lastColour = 0;
  int flushes = 0;
  int reloads = 0;
};

// The manager runs from the game's data folder, where "fonts" is.
class FontManagerTest : public GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    ASSERT_TRUE(folder_.ok());
    fonts_ = GetFontManager();
  }
  void TearDown() override {
    fonts_->UnloadFonts();
    fonts_->FlushText();
    GraphicsTest::TearDown();
  }
  font_test::InDataFolder folder_;
  FontManager* fonts_ = nullptr;
};

TEST_F(FontManagerTest, LoadFontsMakesDefaultCurrentAndKeepsItAfterwards) {
  ASSERT_TRUE(fonts_->LoadFonts("times new roman", 6, 12));
  Font* first = fonts_->GetCurrentFont();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(fonts_->Find("default"), first);
  EXPECT_EQ(first->GetWeight(), 500);
  EXPECT_EQ(first->GetPixelHeight(), 12);
  ASSERT_TRUE(fonts_->LoadFonts("verdana", 8, 16));
  EXPECT_EQ(fonts_->GetCurrentFont(), first);
  EXPECT_EQ(first->GetPixelHeight(), 16);
  // The game's face is among the added files while the fonts are loaded.
  HFONT face = CreateFontA(20, 0, 0, 0, 550, 0, 0, 0, 1, 0, 0, 5, 2, "Daravur");
  EXPECT_NE(face, nullptr);
  DeleteObject(face);
  // The files were added twice: take both additions back, so the next test
  // of this process starts with none.
  fonts_->UnloadFonts();
  fonts_->UnloadFonts();
}

TEST_F(FontManagerTest, UnloadingForgetsEveryFontAndTheFiles) {
  fonts_->LoadFonts("times new roman", 6, 12);
  auto* named = new CountingFont("Named");
  ASSERT_TRUE(fonts_->Add("Named", named));
  fonts_->UnloadFonts();
  EXPECT_EQ(fonts_->GetCurrentFont(), nullptr);
  EXPECT_TRUE(fonts_->Entries().empty());
  EXPECT_EQ(CreateFontA(20, 0, 0, 0, 400, 0, 0, 0, 1, 0, 0, 5, 2, "Daravur"), nullptr);
  fonts_->ReloadFonts();  // nothing to reload, nothing happens
}

TEST_F(FontManagerTest, ReloadReachesEveryFontOnlyWithACurrentFont) {
  auto* counting = new CountingFont("Default");
  ASSERT_TRUE(fonts_->Add("Default", counting));
  fonts_->ReloadFonts();
  EXPECT_EQ(counting->reloads, 0);
  fonts_->LoadFonts("times new roman", 6, 12);
  EXPECT_EQ(fonts_->GetCurrentFont(), counting);
  fonts_->ReloadFonts();
  EXPECT_EQ(counting->reloads, 1);
}

TEST_F(FontManagerTest, QueuedTextIsDrawnAtFlushWithItsFontOrTheCurrentOne) {
  fonts_->Printf(math::Vec2(0.1f, 0.1f), "early %d", 1);  // before any current font
  auto* counting = new CountingFont("Default");
  auto* other = new CountingFont("Other");
  fonts_->Add("Default", counting);
  fonts_->Add("Other", other);
  fonts_->LoadFonts("times new roman", 6, 12);
  fonts_->PrintfFont(other, math::Vec2(0.5f, 0.5f), "%s", "100% sure");
  EXPECT_EQ(fonts_->QueuedCount(), 2u);
  fonts_->FlushText();
  EXPECT_EQ(counting->drawn, "early 1|");
  EXPECT_EQ(other->drawn, "100% sure|");
  EXPECT_EQ(counting->lastBox.x, 1.0f);
  EXPECT_EQ(counting->lastFlags, 0u);
  EXPECT_EQ(counting->lastColour, 0xFFFFFFFFu);
  EXPECT_EQ(counting->flushes, 1);
  EXPECT_EQ(fonts_->QueuedCount(), 0u);
  fonts_->FlushText();  // an empty queue still flushes the current font
  EXPECT_EQ(counting->flushes, 2);
}

TEST_F(FontManagerTest, EntriesAreCutAndSkippedWithoutAFont) {
  const std::string huge(5000, 'x');
  fonts_->Printf(math::Vec2(0, 0), "%s", huge.c_str());
  fonts_->FlushText();  // no current font: skipped, not crashed
  EXPECT_EQ(fonts_->QueuedCount(), 0u);
  auto* counting = new CountingFont("Default");
  fonts_->Add("Default", counting);
  fonts_->LoadFonts("times new roman", 6, 12);
  fonts_->Printf(math::Vec2(0, 0), "%s", huge.c_str());
  fonts_->FlushText();
  EXPECT_EQ(counting->drawn, std::string(FontManager::kMaxEntryLength, 'x') + "|");
}

TEST_F(FontManagerTest, DefaultFontDrawsQueuedTextOnScreen) {
  fonts_->LoadFonts("times new roman", 6, 12);
  graphics_->Clear(0xFF000000u, 1.0f, 0, 1, 0, 0);
  fonts_->Printf(math::Vec2(0.5f, 0.5f), "Queued");
  fonts_->FlushText();
  int lit = 0;
  for (uint32_t pixel : Frame()) lit += pixel != 0;
  EXPECT_GT(lit, 20);
}

}  // namespace
