// The movie widget: panel keys and their round trip, the script class, the
// movie's life through hiding, cloning and a device reset, and the movie
// drawn by the real renderer inside the widget.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "log_capture.h"
#include "platform/d3d8/d3d8_testing.h"
#include "render/dx8/dx8_graphics.h"
#include "swf/stage/movie_root.h"
#include "ui/manager/ui_manager.h"
#include "ui/ui_device_test_support.h"
#include "ui/widgets/kinds/ui_flash_widget.h"

namespace {

using ui::UIFlashWidget;

const std::string kMovie = VANTOR_SOURCE_DIR "/data/movies/sunrise.swf";

class UIFlashWidgetTest : public ui_testing::UITest {
 protected:
  // A panel file holding one movie widget "desert" with the keys given.
  UIFlashWidget* LoadPanel(const std::string& keys) {
    WriteText("movie.ui", "Panel = { Name = 'screen', Pos = { 0.1, 0.1 }, Size = { 0.8, 0.8 }, Children = {\n"
                          "  { Name = 'desert', Type = 'flash', Pos = { 0.15, 0.15 }, Size = { 0.5, 0.5 }" +
                              keys + " } } }\n");
    ui::UIWidget* panel = GetUIMan()->AddPanel("movie.ui");
    if (!panel) return nullptr;
    ui::UIWidget* desert = panel->Find("desert");
    return desert && desert->GetType() == UIFlashWidget::kType ? static_cast<UIFlashWidget*>(desert) : nullptr;
  }
  static int Frame(const UIFlashWidget* widget) { return widget->GetMovie()->GetInstance()->get_frame_index(); }
};

TEST_F(UIFlashWidgetTest, PanelKeysLoadSaveAndLoadAgain) {
  struct Case {
    std::string keys;
    bool movie, looping;
  };
  const Case cases[] = {
      {", FlashMovie = [[" + kMovie + "]], Looping = 1", true, true},
      // The panel's flag, not the new movie's own "on".
      {", FlashMovie = [[" + kMovie + "]]", true, false},
      {"", false, false},
  };
  for (const Case& c : cases) {
    UIFlashWidget* widget = LoadPanel(c.keys);
    ASSERT_NE(widget, nullptr) << c.keys;
    ASSERT_EQ(widget->GetMovie() != nullptr, c.movie) << c.keys;
    EXPECT_EQ(widget->IsLooping(), c.looping) << c.keys;
    GetUIMan()->SavePanel(GetUIMan()->GetPanel("screen"), "saved.ui");
    GetUIMan()->DropAllPanels();
    ui::UIWidget* panel = GetUIMan()->AddPanel("saved.ui");
    ASSERT_NE(panel, nullptr);
    ui::UIWidget* again = panel->Find("desert");
    ASSERT_NE(again, nullptr);
    // Saved with its type, so it comes back as a movie widget with its movie.
    ASSERT_EQ(again->GetType(), UIFlashWidget::kType) << c.keys;
    auto* reloaded = static_cast<UIFlashWidget*>(again);
    ASSERT_EQ(reloaded->GetMovie() != nullptr, c.movie) << c.keys;
    if (c.movie) {
      EXPECT_EQ(reloaded->GetMovie()->GetFileName(), kMovie);
    }
    EXPECT_EQ(reloaded->IsLooping(), c.looping) << c.keys;
    GetUIMan()->DropAllPanels();
  }
}

TEST_F(UIFlashWidgetTest, TheScriptClassDrivesTheMovie) {
  ui::UIManager::RegisterLua(console_->GetState());
  UIFlashWidget* widget = LoadPanel("");
  ASSERT_NE(widget, nullptr);
  EXPECT_TRUE(GetUIMan()->HasFlashDriver());
  console_->Do(
      "local desert = GetUIMan():GetPanel('screen'):GetFlashWidgetByName('desert')\n"
      "table.insert(Events, tostring(desert:IsLooping()) .. ' ' .. tostring(desert:IsPaused()))\n"
      "desert:SetFlashClip([[" + kMovie + "]])\n"
      "table.insert(Events, tostring(desert:IsLooping()) .. ' ' .. tostring(desert:IsPaused()))\n"
      "desert:SetLoop(false)\n"
      "desert:PauseClip(true)\n"
      "table.insert(Events, tostring(desert:IsLooping()) .. ' ' .. tostring(desert:IsPaused()))\n");
  EXPECT_EQ(Events(), (std::vector<std::string>{"false false", "true false", "false true"}));
  ASSERT_NE(widget->GetMovie(), nullptr);

  // The same file again restarts the movie it has, with a warning.
  widget->PauseClip(false);
  for (int i = 0; i < 5; ++i) widget->Update(0.05f);
  const flash::FlashMovie* playing = widget->GetMovie();
  EXPECT_GT(Frame(widget), 0);
  {
    LogCapture log;
    console_->Do("GetUIMan():GetWidget('desert'):SetFlashClip([[" + kMovie + "]])");
    EXPECT_TRUE(LogCapture::Has("Trying to re-set the file. Reset instead?  [MSG_WARNING]"));
  }
  EXPECT_EQ(widget->GetMovie(), playing);
  EXPECT_EQ(Frame(widget), 0);
  for (int i = 0; i < 5; ++i) widget->Update(0.05f);
  console_->Do("GetUIMan():GetWidget('desert'):Reset()");
  EXPECT_EQ(Frame(widget), 0);

  // An empty name removes the movie; a file that is no movie leaves an
  // empty one, which the same name then loads anew.
  console_->Do("GetUIMan():GetWidget('desert'):SetFlashClip('')");
  EXPECT_EQ(widget->GetMovie(), nullptr);
  {
    LogCapture log;
    widget->SetFlashClip("none.swf");
    widget->SetFlashClip("none.swf");
    EXPECT_FALSE(LogCapture::Has("Trying to re-set"));
    int failures = 0;
    for (const std::string& line : LogCapture::At(MSG_ERROR))
      failures += line.find("> Can't create a movie from flash file none.swf  [") != std::string::npos;
    EXPECT_EQ(failures, 2) << LogCapture::Text();
  }
  ASSERT_NE(widget->GetMovie(), nullptr);
  EXPECT_EQ(widget->GetMovie()->GetInstance(), nullptr);
  EXPECT_TRUE(widget->IsLooping());
}

TEST_F(UIFlashWidgetTest, AMovieWhoseClipsReachTheirRootAsTheyUnloadChangesClipAndCloses) {
  ui::UIManager::RegisterLua(console_->GetState());
  const std::string unloading = VANTOR_SWF_FIXTURES "/teardown_unload.swf";
  UIFlashWidget* widget = LoadPanel(", FlashMovie = [[" + unloading + "]]");
  ASSERT_NE(widget, nullptr);
  ASSERT_NE(widget->GetMovie()->GetInstance(), nullptr);
  GetUIMan()->Update(0.05f);
  LogCapture log;
  // Each change of clip and the closing panel destroy a movie whose clips
  // unload reading _root and _parent.
  console_->Do("local desert = GetUIMan():GetWidget('desert')\n"
               "desert:SetFlashClip([[" + kMovie + "]])\n"
               "desert:SetFlashClip([[" + unloading + "]])\n"
               "desert:SetFlashClip('')\n"
               "desert:SetFlashClip([[" + unloading + "]])\n");
  EXPECT_EQ(widget->GetMovie()->GetFileName(), unloading);
  GetUIMan()->Update(0.05f);
  EXPECT_TRUE(GetUIMan()->DropPanel(GetUIMan()->GetPanel("screen"), true));
  int unloads = 0;
  for (const std::string& line : LogCapture::Lines()) unloads += line.find(">root:_root") != std::string::npos;
  EXPECT_EQ(unloads, 2) << "the movie that never played had no clips yet\n" << LogCapture::Text();
}

TEST_F(UIFlashWidgetTest, AHiddenWidgetPlaysOnAndACloneHasNoMovie) {
  UIFlashWidget* widget = LoadPanel(", FlashMovie = [[" + kMovie + "]]");
  ASSERT_NE(widget, nullptr);
  widget->SetIsVisible(false);
  for (int i = 0; i < 4; ++i) GetUIMan()->Update(0.05f);
  EXPECT_GT(Frame(widget), 0);
  EXPECT_FALSE(widget->Render(false));
  widget->PauseClip(true);
  const int paused = Frame(widget);
  GetUIMan()->Update(0.5f);
  EXPECT_EQ(Frame(widget), paused);

  std::unique_ptr<ui::UIWidget> clone(widget->GetClone());
  ASSERT_EQ(clone->GetType(), UIFlashWidget::kType);
  EXPECT_EQ(static_cast<UIFlashWidget*>(clone.get())->GetMovie(), nullptr);
  EXPECT_EQ(clone->GetSize().x, widget->GetSize().x);
}

// The frame as 0xRRGGBB pixels, drawn by the UI on black.
std::vector<uint32_t> DrawFrame() {
  Dx8Graphics* graphics = GetDx8Graphics();
  std::vector<uint32_t> pixels;
  uint32_t width = 0, height = 0;
  if (!graphics->BeginScene()) return pixels;
  graphics->Clear(0xFF000000u, 1.0f, 0, 1, 1, 1);
  graphics->SetDefaultRenderStates();
  GetUIMan()->Render();
  platform::testing::ReadBackFrame(graphics->GetDevice(), pixels, width, height);
  graphics->EndScene();
  if (width * height != 800u * 600u) pixels.clear();
  for (uint32_t& pixel : pixels) pixel &= 0xFFFFFFu;
  return pixels;
}

// How many pixels of the frame are not black, inside the box (in pixels)
// and outside it.
struct Lit {
  int inside = 0, outside = 0;
};
Lit CountLit(const std::vector<uint32_t>& pixels, int x0, int y0, int x1, int y1) {
  Lit lit;
  for (int y = 0; y < 600; ++y) {
    for (int x = 0; x < 800; ++x) {
      if (pixels[y * 800 + x] == 0) continue;
      (x >= x0 && x < x1 && y >= y0 && y < y1 ? lit.inside : lit.outside) += 1;
    }
  }
  return lit;
}

// The nested widget covers pixels 200 .. 600 x 150 .. 450: its absolute place.
TEST_F(UIFlashWidgetTest, TheMovieDrawsInsideItsWidgetAndAgainAfterADeviceReset) {
  ui_testing::RealDevice device;
  ASSERT_NO_FATAL_FAILURE(device.Start());
  GetUIMan()->ShowCursor(false);
  {
    UIFlashWidget* widget = LoadPanel(", FlashMovie = [[" + kMovie + "]], Looping = 0");
    ASSERT_NE(widget, nullptr);
    for (int i = 0; i < 3; ++i) GetUIMan()->Update(0.05f);
    std::vector<uint32_t> pixels = DrawFrame();
    ASSERT_FALSE(pixels.empty());
    Lit lit = CountLit(pixels, 200, 150, 600, 450);
    EXPECT_GT(lit.inside, 400 * 300 * 9 / 10);
    EXPECT_EQ(lit.outside, 0);
    // The sky's blue above, the sand's warm yellow below.
    const uint32_t sky = pixels[160 * 800 + 220], sand = pixels[440 * 800 + 400];
    EXPECT_GT(sky & 0xFF, sky >> 16) << std::hex << sky;
    EXPECT_GT(sand >> 16, sand & 0xFF) << std::hex << sand;

    widget->PauseClip(true);
    const swf::movie_root* before = widget->GetMovie()->GetInstance();
    GetUIMan()->ShutdownFlash();
    EXPECT_FALSE(GetUIMan()->HasFlashDriver());
    ASSERT_TRUE(GetDx8Graphics()->ResetDevice(800, 600, false));
    GetUIMan()->ResetResources();
    EXPECT_TRUE(GetUIMan()->HasFlashDriver());
    // Made anew from its file, with the defaults.
    ASSERT_NE(widget->GetMovie(), nullptr);
    EXPECT_NE(widget->GetMovie()->GetInstance(), before);
    EXPECT_TRUE(widget->IsLooping());
    EXPECT_FALSE(widget->IsPaused());
    EXPECT_EQ(Frame(widget), 0);
    GetUIMan()->Update(0.05f);
    pixels = DrawFrame();
    ASSERT_FALSE(pixels.empty());
    lit = CountLit(pixels, 200, 150, 600, 450);
    EXPECT_GT(lit.inside, 400 * 300 * 9 / 10);
    EXPECT_EQ(lit.outside, 0);
    GetUIMan()->DropAllPanels();
  }
  GetUIMan()->ShowCursor(true);
}

}  // namespace
