#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "core/script/lua_test_support.h"
#include "log_capture.h"
#include "platform/codecs/image_decoder.h"
#include "read_file.h"
#include "render/sprites/sprite_set.h"
#include "ui/manager/ui_manager.h"
#include "ui/ui_device_test_support.h"
#include "ui/widgets/kinds/ui_flash_widget.h"
#include "ui/widgets/ui_widget.h"

namespace {

using Strings = std::vector<std::string>;

class PanelFileTest : public ui_testing::UITest {
 protected:
  std::string Here(const std::string& name) { return std::filesystem::current_path().string() + "/" + name; }
  std::string Write(const std::string& name, const std::string& text) {
    WriteText(name, text);
    return Here(name);
  }
  // The log's messages, without their call-site prefixes.
  static Strings Messages() {
    Strings messages;
    for (const std::string& line : LogCapture::Lines()) {
      size_t at = line.find(")> ");
      messages.push_back(at == std::string::npos ? line : line.substr(at + 3));
    }
    return messages;
  }
  std::string SaveText(ui::UIWidget* panel, const std::string& name) {
    GetUIMan()->SavePanel(panel, Here(name));
    return ReadFile(Here(name));
  }
};

TEST_F(PanelFileTest, AddPanelReportsFilesThatGiveNoPanelAndReturnsOneAlreadyListed) {
  const std::string broken = Write("broken.ui", "Panel = {");
  const std::string notTable = Write("number.ui", "Panel = 5");
  const std::string good = Write("good.ui", "Panel = { Name = 'Menu', on_load = \"table.insert(Events, 'loaded')\" }");
  const std::string again = Write("again.ui", "Panel = { Name = 'MENU', on_load = \"table.insert(Events, 'again')\" }");
  {
    LogCapture log;
    EXPECT_EQ(GetUIMan()->AddPanel(broken), nullptr);
    EXPECT_EQ(Messages(), (Strings{"?:1: unexpected symbol near <eof>  [MSG_SCRIPT]\n",
                                   "Unable to parse script file " + broken + "  [MSG_SCRIPT]\n",
                                   "Unable to load UI panel " + broken + "!  [MSG_ERROR]\n"}));
  }
  {
    LogCapture log;
    EXPECT_EQ(GetUIMan()->AddPanel(notTable), nullptr);
    EXPECT_EQ(Messages(), (Strings{"LUA Script " + notTable + " Loaded from " + notTable + "  [MSG_INIT]\n",
                                   "Unable to load UI panel " + notTable + "!  [MSG_ERROR]\n"}));
  }
  LogCapture log;
  ui::UIWidget* menu = GetUIMan()->AddPanel(good);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(Messages().back(), "UI panel Menu loaded from file " + good + "  [MSG_LOAD]\n");
  EXPECT_EQ(menu->GetSourceFile(), good);
  EXPECT_EQ(GetUIMan()->GetPanel("menu"), menu);
  // The name is listed: the file runs again to read it, nothing else happens.
  LogCapture::Lines().clear();
  EXPECT_EQ(GetUIMan()->AddPanel(again), menu);
  EXPECT_EQ(Messages(), (Strings{"LUA Script " + again + " Loaded from " + again + "  [MSG_INIT]\n"}));
  EXPECT_EQ(Events(), Strings{"loaded"});
}

TEST_F(PanelFileTest, LoadingReadsEveryKeyWithItsDefault) {
  const std::string path = Write("keys.ui", R"lua(
    Panel = {
      Pos = { 0.1, 0.2 }, Size = { 0.5 }, Active = 2, PlaySound = 0, BlockAll = true, Type = "CHECKBOX",
      Color = { 1, 0, 0, 1 }, HJust = "Right", VJust = "top", CanEdit = 1, Text = "typed",
      MouseOff = "off_64x32.png", MouseOver = "over_64x32.png", Additive = 1, CanDrag = 3, Rotation = 12,
      lmb_release = "x = 1", gain_focus = "y = 2", tab_key = 7,
      Children = {
        { Pos = { 0.1, 0.1 }, Size = { 0.2, 0.1 }, on_load = "table.insert(Events, 'first')" },
        { Name = "twin", on_load = "table.insert(Events, 'twin 1')" },
        { Name = "TWIN", on_load = "table.insert(Events, 'twin 2')" },
        "not a table",
      },
      on_load = "table.insert(Events, 'panel')",
    })lua");
  LogCapture log;
  ui::UIWidget* panel = GetUIMan()->AddPanel(path);
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->GetName(), "Noname_widget0");  // named before its children load
  EXPECT_FALSE(panel->IsActive());
  EXPECT_FALSE(panel->PlaysSound());
  EXPECT_TRUE(panel->BlocksAll());
  EXPECT_TRUE(panel->CanDrag());
  EXPECT_EQ(panel->GetType(), ui::UIWidget::kTypeCheckBox);  // the type name in any case
  EXPECT_FLOAT_EQ(panel->GetSize().x, 0.3f);  // a one-entry size is no size
  EXPECT_EQ(panel->GetColor(), 0xFFFF0000u);
  EXPECT_EQ(panel->GetTextBlock().GetHJust(), ui::UIText::kBottomOrRight);
  EXPECT_EQ(panel->GetTextBlock().GetVJust(), ui::UIText::kTopOrLeft);
  EXPECT_TRUE(panel->IsEditable());
  EXPECT_EQ(panel->GetText(), "typed");
  EXPECT_EQ(panel->GetImage(ui::UIWidget::kImageOver).GetName(), "over_64x32.png");
  EXPECT_FLOAT_EQ(panel->GetImage(ui::UIWidget::kImageOff).size.x, 64 / 800.0f);  // native size
  EXPECT_EQ(panel->GetImage(ui::UIWidget::kImageOff).additive, 1);
  EXPECT_EQ(panel->GetEvent(ui::UIWidget::kGainFocus), "y = 2");
  EXPECT_EQ(panel->GetEvent(ui::UIWidget::kTabKey), "");  // not a string

  // Children load in order; their on_load runs inside the panel's load, the
  // panel's last; a second name is loaded but not entered.
  EXPECT_EQ(Events(), (Strings{"first", "twin 1", "twin 2", "panel"}));
  ui::UIWidget* first = panel->Find("Noname_widget1");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->GetParent(), panel);
  EXPECT_FLOAT_EQ(first->GetPosition().x, 0.2f);
  EXPECT_EQ(panel->Count(), 2u);
  EXPECT_EQ(LogCapture::At(MSG_WARNING).size(), 1u);
  EXPECT_TRUE(LogCapture::Has("Unable to create child!"));
}

TEST_F(PanelFileTest, ChildrenNestedTooDeepOrHoldingThemselvesAreRefused) {
  const std::string path = Write("loop.ui", "Panel = { Name = 'loop', Children = {} }\n"
                                            "Panel.Children[1] = Panel\n");
  LogCapture log;
  ui::UIWidget* panel = GetUIMan()->AddPanel(path);
  ASSERT_NE(panel, nullptr);
  int levels = 1;
  for (ui::UIWidget* at = panel; (at = at->Find("loop"));) ++levels;
  EXPECT_EQ(levels, ui::UIWidget::kMaxNesting);
  EXPECT_EQ(LogCapture::At(MSG_WARNING).size(), 1u);
}

// A panel made in code: every key the writer writes, a child, a grandchild.
class PanelFixture : public PanelFileTest {
 protected:
  ui::UIWidget* MakePanel() {
    ui::UIWidget* panel = Make(nullptr, "fixture", {0.1f, 0.2f}, {0.5f, 0.4f});
    panel->SetText("title_key");
    panel->SetColor(1, 0, 0, 1);
    panel->SetImage(ui::UIWidget::kImageOff, "bg_64x64.png");
    panel->SetEvent(ui::UIWidget::kLmbRelease, "Close(\"menu\")");
    panel->SetEvent(ui::UIWidget::kOnLoad, "table.insert(Events, 'on_load')");
    panel->SetBlockAll(true);
    ui::UIWidget* ok = Make(panel, "ok", {0.05f, 0.3f}, {0.1f, 0.05f});
    ok->SetCanDrag(true);
    ok->SetPlaySound(false);
    ok->SetIsActive(false);
    ok->SetRotation(90);
    ok->GetTextBlock().SetHJust("left");
    ok->GetTextBlock().SetVJust("bottom");
    ok->GetTextBlock().editable = 1;
    ok->SetTextColor(0, 0, 0, 0.5f);
    ok->SetImage(ui::UIWidget::kImageOver, "glow_32x32.png");
    ok->SetImage(ui::UIWidget::kImageClick, "press_32x32.png");
    Make(ok, "label", {0, 0}, {0.1f, 0.05f});
    return panel;
  }
};

TEST_F(PanelFixture, SavingWritesTheExpectedText) {
  ui::UIWidget* panel = MakePanel();
  const std::string expected =
      "Panel = \n"
      "{ \n"
      "   Name = \"fixture\",\n"
      "   Font = \"SmallFont\",\n"
      "   Text = \"title_key\",\n"
      "   BorderSize = { 0.005000, 0.005000 },\n"
      "   Pos = { 0.100000, 0.200000 },\n"
      "   Size = { 0.500000, 0.400000 },\n"
      "   UV1 = { 0.000000, 0.000000 },\n"
      "   UV2 = { 1.000000, 1.000000 },\n"
      "   Color = { 1.000000, 0.000000, 0.000000, 1.000000 },\n"
      "   Additive = 0,\n"
      "   Rotation = 0.000000,\n"
      "   HJust = \"center\",\n"
      "   VJust = \"center\",\n"
      "   BlockAll = 1,\n"
      "   TextColor = { 1.000000, 1.000000, 1.000000, 1.000000 },\n"
      "   MouseOff = \"bg_64x64.png\",\n"
      "   Type = \"widget\",\n"
      "   on_load = \"table.insert(Events, 'on_load')\",\n"
      "   lmb_release = \"Close(\\\"menu\\\")\",\n"
      "   Children = \n"
      "   { \n"
      "      -- Child entry = \n"
      "      { \n"
      "         Name = \"ok\",\n"
      "         Font = \"SmallFont\",\n"
      "         Text = \"\",\n"
      "         BorderSize = { 0.005000, 0.005000 },\n"
      "         Pos = { 0.050000, 0.300000 },\n"
      "         Size = { 0.100000, 0.050000 },\n"
      "         UV1 = { 0.000000, 0.000000 },\n"
      "         UV2 = { 1.000000, 1.000000 },\n"
      "         Color = { 1.000000, 1.000000, 1.000000, 1.000000 },\n"
      "         Additive = 0,\n"
      "         Rotation = 90.000000,\n"
      "         HJust = \"left\",\n"
      "         VJust = \"bottom\",\n"
      "         CanEdit = 1,\n"
      "         CanDrag = 1,\n"
      "         Active = 0,\n"
      "         PlaySound = 0,\n"
      "         TextColor = { 0.000000, 0.000000, 0.000000, 0.498040 },\n"
      "         MouseOver = \"glow_32x32.png\",\n"
      "         MouseClick = \"press_32x32.png\",\n"
      "         Type = \"widget\",\n"
      "         Children = \n"
      "         { \n"
      "            -- Child entry = \n"
      "            { \n"
      "               Name = \"label\",\n"
      "               Font = \"SmallFont\",\n"
      "               Text = \"\",\n"
      "               BorderSize = { 0.005000, 0.005000 },\n"
      "               Pos = { 0.000000, 0.000000 },\n"
      "               Size = { 0.100000, 0.050000 },\n"
      "               UV1 = { 0.000000, 0.000000 },\n"
      "               UV2 = { 1.000000, 1.000000 },\n"
      "               Color = { 1.000000, 1.000000, 1.000000, 1.000000 },\n"
      "               Additive = 0,\n"
      "               Rotation = 0.000000,\n"
      "               HJust = \"center\",\n"
      "               VJust = \"center\",\n"
      "               TextColor = { 1.000000, 1.000000, 1.000000, 1.000000 },\n"
      "               Type = \"widget\",\n"
      "            }, \n"
      "         }, \n"
      "      }, \n"
      "   }, \n"
      "}\n";
  EXPECT_EQ(SaveText(panel, "fixture.ui"), expected);
  EXPECT_EQ(testsupport::RunStockLua(Here("fixture.ui"),
                                     "print(Panel.Name, Panel.Children[1].Children[1].Name, Panel.BlockAll)"),
            "fixture\tlabel\t1\n");
  GetUIMan()->SavePanel(nullptr, Here("none.ui"));
  EXPECT_FALSE(std::filesystem::exists(Here("none.ui")));
}

TEST_F(PanelFixture, LoadSaveLoadKeepsThePanel) {
  const std::string first = SaveText(MakePanel(), "first.ui");
  GetUIMan()->DropAllPanels();
  ClearEvents();
  ui::UIWidget* loaded = GetUIMan()->AddPanel(Here("first.ui"));
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(Events(), Strings{"on_load"});
  EXPECT_TRUE(loaded->BlocksAll());
  EXPECT_EQ(loaded->GetTextBlock().GetSource(), u"title_key");
  ui::UIWidget* ok = loaded->Find("ok");
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->GetTextBlock().colour, 0x7F000000u);
  EXPECT_FALSE(ok->IsActive());
  EXPECT_NE(ok->Find("label"), nullptr);
  EXPECT_EQ(SaveText(loaded, "second.ui"), first);
}

TEST_F(PanelFileTest, EveryColourByteSurvivesSavingAndLoading) {
  ui::UIWidget* panel = Make(nullptr, "colours");
  auto component = [](int byte) { return (static_cast<float>(byte) + 0.5f) / 255.0f; };
  for (int i = 0; i < 64; ++i) {
    ui::UIWidget* swatch = Make(panel, "swatch" + std::to_string(i));
    swatch->SetColor(component(4 * i), component(4 * i + 1), component(4 * i + 2), component(4 * i + 3));
    swatch->SetTextColor(component(255 - 4 * i), component(254 - 4 * i), component(253 - 4 * i),
                         component(252 - 4 * i));
  }
  GetUIMan()->SavePanel(panel, Here("colours.ui"));
  GetUIMan()->DropAllPanels();
  ui::UIWidget* loaded = GetUIMan()->AddPanel(Here("colours.ui"));
  ASSERT_NE(loaded, nullptr);
  for (int i = 0; i < 64; ++i) {
    ui::UIWidget* swatch = loaded->Find("swatch" + std::to_string(i));
    ASSERT_NE(swatch, nullptr);
    const uint32_t b = static_cast<uint32_t>(4 * i);
    EXPECT_EQ(swatch->GetColor(), (b + 3) << 24 | b << 16 | (b + 1) << 8 | (b + 2)) << i;
    EXPECT_EQ(swatch->GetTextBlock().colour, (252 - b) << 24 | (255 - b) << 16 | (254 - b) << 8 | (253 - b)) << i;
  }
  // Whole bytes are written plainly.
  const std::string text = ReadFile(Here("colours.ui"));
  EXPECT_NE(text.find("Color = { 0.000000, 0.003922, 0.007844, 0.011765 }"), std::string::npos);
  EXPECT_NE(text.find("TextColor = { 1.000000, 0.996079, 0.992157, 0.988236 }"), std::string::npos);
}

TEST_F(PanelFileTest, TheGamesPanelsLoadWithoutAWarningAndRoundTrip) {
  // The game's own files on the real renderer; a movie player made anew draws on its device.
  ui_testing::RealDevice device;
  ASSERT_NO_FATAL_FAILURE(device.Start());
  const std::filesystem::path scratch = std::filesystem::current_path();
  std::vector<std::pair<std::string, std::string>> files;  // saved, saved again
  for (const char* name : {"title", "options", "loading", "movie", "editor", "editor_3"})
    files.emplace_back(Here(std::string(name) + "_saved.ui"), Here(std::string(name) + "_again.ui"));
  std::filesystem::current_path(VANTOR_SOURCE_DIR "/data");
  ui::GetSpriteSet()->Load("img/sprites.lua");
  for (const auto& [saved, again] : files) {
    SCOPED_TRACE(saved);
    LogCapture log;
    const std::string name = std::filesystem::path(saved).filename().string();
    ui::UIWidget* panel = GetUIMan()->AddPanel("ui/" + name.substr(0, name.rfind('_')) + ".ui");
    ASSERT_NE(panel, nullptr);
    if (panel->GetName() == "title") {
      EXPECT_EQ(panel->Count(), 15u);
      EXPECT_TRUE(panel->Find("guard")->BlocksAll());
      EXPECT_TRUE(panel->Find("name_box")->IsEditable());
      EXPECT_TRUE(panel->Find("scarab")->CanDrag());
      EXPECT_NE(panel->Find("scarab")->GetImage(ui::UIWidget::kImageOff).GetEntry(), nullptr);
      EXPECT_TRUE(panel->Find("play")->GetImage(ui::UIWidget::kImageClick).HasImage());
    }
    if (panel->GetName() == "movie") {
      ui::UIWidget* desert = panel->Find("desert");
      ASSERT_NE(desert, nullptr);
      ASSERT_EQ(desert->GetType(), ui::UIFlashWidget::kType);
      const flash::FlashMovie* movie = static_cast<ui::UIFlashWidget*>(desert)->GetMovie();
      ASSERT_NE(movie, nullptr);
      EXPECT_NE(movie->GetInstance(), nullptr);
      EXPECT_TRUE(movie->IsLooping());
    }
    GetUIMan()->SavePanel(panel, saved);
    GetUIMan()->DropAllPanels();
    ui::UIWidget* reloaded = GetUIMan()->AddPanel(saved);
    ASSERT_NE(reloaded, nullptr);
    GetUIMan()->SavePanel(reloaded, again);
    GetUIMan()->DropAllPanels();
    EXPECT_TRUE(LogCapture::At(MSG_WARNING).empty()) << LogCapture::Text();
    EXPECT_TRUE(LogCapture::At(MSG_ERROR).empty()) << LogCapture::Text();
    EXPECT_EQ(ReadFile(again), ReadFile(saved));
  }
  std::filesystem::current_path(scratch);
}

// The tablet behind the title, options, pause and movie panels: its rounded
// frame shows over what lies behind, so no square corner is drawn around it.
TEST(PanelImageTest, TheTabletIsClearOutsideItsRoundedFrame) {
  const std::string bytes = ReadFile(VANTOR_SOURCE_DIR "/data/ui_img/title_back.png");
  platform::DecodedImage image;
  ASSERT_TRUE(platform::DecodeImage(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), image));
  const uint32_t w = image.width, h = image.height;
  ASSERT_GT(w, 40u);
  ASSERT_GT(h, 40u);
  auto alpha = [&](uint32_t x, uint32_t y) { return image.pixels[size_t(y) * w + x] >> 24; };
  for (auto [x, y] : {std::pair{0u, 0u}, {w - 1, 0u}, {0u, h - 1}, {w - 1, h - 1}, {2u, 2u}})
    EXPECT_EQ(alpha(x, y), 0u) << x << "," << y;
  for (auto [x, y] : {std::pair{w / 2, h / 2}, {w / 2, 1u}, {1u, h / 2}}) EXPECT_EQ(alpha(x, y), 0xFFu) << x << "," << y;
}

}  // namespace
