// The particle widgets: generation inside the widget, the guards on the
// generation rate and the pool, the two drawing passes, panel keys and
// clones, and the script class "Part2DWidget".
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/math/random.h"
#include "log_capture.h"
#include "read_file.h"
#include "platform/d3d8/d3d8_testing.h"
#include "render/dx8/dx8_graphics.h"
#include "render/cameras/perspective_camera.h"
#include "ui/manager/ui_manager.h"
#include "ui/widgets/kinds/ui_part2d_widget.h"
#include "ui/widgets/kinds/ui_part_widget.h"
#include "ui/ui_device_test_support.h"

namespace {

using ui::UIPart2DWidget;
using ui::UIPartWidget;

// A 3D effect of two groups: a long-lived one the widget feeds and a second
// one; neither bursts.
constexpr const char* kWorldEffect =
    "ParticleGroups = {\n"
    "  { Texture = 'mote_8x8.png', StartC = 0, MaxC = 10, Rebirth = 0,\n"
    "    Emitter = { Type = 'Box', MinLife = 100, MaxLife = 100, MinSize = 2, MaxSize = 2,\n"
    "                MinForce = { 0, 0, 0 }, MaxForce = { 0, 0, 0 } } },\n"
    "  { Texture = 'mote_8x8.png', StartC = 0, MaxC = 10, Rebirth = 0, Emitter = {} },\n"
    "}\n";
// A 2D effect of two groups, long-lived particles, the first generating
// every 0.1 s and standing still, the second never generating.
constexpr const char* kScreenEffect =
    "Part2D = {\n"
    "  { Image = 'spark_8x8.png', MaxC = 20, Lifespan = { 100, 100 }, GenRate = 0.1,\n"
    "    MinSpeed = { 0, 0 }, MaxSpeed = { 0, 0 } },\n"
    "  { Image = 'dot_8x8.png', MaxC = 20, Lifespan = { 100, 100 }, GenRate = 0 },\n"
    "}\n";

class UIPartWidgetTest : public ui_testing::UITest {
 protected:
  void SetUp() override {
    UITest::SetUp();
    num::GetRandom().Seed(99);
    WriteText("world.lua", kWorldEffect);
    WriteText("screen.p2d", kScreenEffect);
    GetUIMan()->SetCamera(&camera_);
  }
  void TearDown() override {
    GetUIMan()->SetCamera(nullptr);
    UITest::TearDown();
  }

  template <typename Widget>
  Widget* MakeParticleWidget(ui::UIWidget* parent, const std::string& name, const std::string& file,
                             math::Vec2 position = {0.2f, 0.3f}, math::Vec2 size = {0.4f, 0.2f}) {
    auto* widget = static_cast<Widget*>(
        GetUIMan()->CreateWidget(parent, ui::GetWidgetTypeName(Widget::kType)));
    widget->Init(name, position, size);
    if (parent)
      EXPECT_TRUE(parent->Add(name, widget));
    else
      GetUIMan()->InsertPanel(widget);
    if (!file.empty()) {
      EXPECT_TRUE(widget->SetPartFile(file));
    }
    return widget;
  }
  // The text with every line's indentation taken off.
  static std::string Unindented(const std::string& text) {
    std::string out;
    bool lineStart = true;
    for (char c : text) {
      if (lineStart && c == ' ') continue;
      lineStart = c == '\n';
      out += c;
    }
    return out;
  }
  static int Alive(part2d::PartGroup* group) {
    int alive = 0;
    for (int i = 0; i < group->GetMaxC(); ++i) alive += group->GetParticles()[i].alive ? 1 : 0;
    return alive;
  }
  // The texture binds recorded, as image names, in order.
  std::vector<std::string> Binds(const std::vector<std::string>& names) {
    std::vector<std::string> binds;
    for (const RecordingGraphics::Call& call : graphics_.calls) {
      if (call.kind != RecordingGraphics::Call::kBind) continue;
      for (const std::string& name : names)
        if (call.texture == graphics_.TextureOf(name)) binds.push_back(name);
    }
    return binds;
  }

  // The title screen's camera: 20 units in front of the z = 0 plane.
  camera::PerspectiveCamera camera_{{0, 0, -20}, {0, 0, 0}, {0, 1, 0}, 60.0f, 4.0f / 3.0f, 5.0f, 4000.0f};
};

TEST_F(UIPartWidgetTest, WorldWidgetGeneratesOnThePlaneUnderItsRectangle) {
  auto* widget = MakeParticleWidget<UIPartWidget>(nullptr, "motes", "world.lua");
  widget->SetGenTime(0.25f);
  widget->Update(1.0f);
  partsys::ParticleGroup* group = widget->GetPartsys()->GetGroup(0);
  // 1.0 -> 0.75 -> 0.5 -> 0.25, which is not more than 0.25.
  EXPECT_EQ(group->liveCount, 3);
  EXPECT_FLOAT_EQ(widget->GetGenerationTime(), 0.25f);
  EXPECT_EQ(widget->GetPartsys()->GetGroup(1)->liveCount, 0);

  // Each particle, centred on its point, lies on z = 0 under the widget:
  // the ray through the point meets the plane where the camera shows it.
  const math::Matrix4& viewProjection = camera_.GetViewProjection();
  for (int i = 0; i < group->GetMaxC(); ++i) {
    const partsys::Particle& p = group->GetParticles()[i];
    if (!p.alive) continue;
    const math::Vec3 centre(p.position.x + p.size / 2, p.position.y + p.size / 2, p.position.z);
    EXPECT_NEAR(centre.z, 0.0f, 1e-3f);
    const float x = centre.x * viewProjection.m[0][0] + centre.y * viewProjection.m[1][0] +
                    centre.z * viewProjection.m[2][0] + viewProjection.m[3][0];
    const float y = centre.x * viewProjection.m[0][1] + centre.y * viewProjection.m[1][1] +
                    centre.z * viewProjection.m[2][1] + viewProjection.m[3][1];
    const float w = centre.x * viewProjection.m[0][3] + centre.y * viewProjection.m[1][3] +
                    centre.z * viewProjection.m[2][3] + viewProjection.m[3][3];
    const math::Vec2 screen((x / w + 1) / 2, (1 - y / w) / 2);
    EXPECT_TRUE(widget->IsInside(screen)) << screen.x << ", " << screen.y;
  }
}

TEST_F(UIPartWidgetTest, WorldWidgetGenerationGuards) {
  struct Case {
    const char* what;
    float genTime;
    int partIndex;
    bool camera;
    float dt;
    int expectedLive;
    float expectedTime;
  };
  const Case cases[] = {
      {"no rate: nothing, and no time gathered", 0.0f, 0, true, 1.0f, 0, 0.0f},
      {"a negative rate: the same", -1.0f, 0, true, 1.0f, 0, 0.0f},
      {"a tiny rate fills the pool and drops the rest of the time", 1e-9f, 0, true, 1.0f, 10, 0.0f},
      {"a long frame: the same", 0.1f, 0, true, 50.0f, 10, 0.0f},
      {"an index past the groups: nothing, the time goes", 0.25f, 5, true, 1.0f, 0, 0.0f},
      {"no camera: nothing, no time gathered", 0.25f, 0, false, 1.0f, 0, 0.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto* widget = MakeParticleWidget<UIPartWidget>(nullptr, "motes", "world.lua");
    widget->SetGenTime(c.genTime);
    widget->SetPartIndex(c.partIndex);
    GetUIMan()->SetCamera(c.camera ? &camera_ : nullptr);
    widget->Update(c.dt);
    int live = 0;
    for (size_t g = 0; g < widget->GetPartsys()->GroupC(); ++g) live += widget->GetPartsys()->GetGroup(g)->liveCount;
    EXPECT_EQ(live, c.expectedLive);
    EXPECT_FLOAT_EQ(widget->GetGenerationTime(), c.expectedTime);
    GetUIMan()->DropPanel(widget, true);
  }
}

TEST_F(UIPartWidgetTest, PartFilesAndIndexes) {
  auto* widget = MakeParticleWidget<UIPartWidget>(nullptr, "motes", "world.lua");
  partsys::ParticleSystem* first = widget->GetPartsys();
  {
    LogCapture log;
    EXPECT_TRUE(widget->SetPartFile("world.lua"));
    EXPECT_EQ(LogCapture::At(MSG_WARNING).size(), 1u);
    EXPECT_TRUE(LogCapture::Has("Trying to re-set the file. Reset instead?"));
  }
  EXPECT_EQ(widget->GetPartsys(), first);
  EXPECT_EQ(first->GroupC(), 2u) << "not loaded again";

  for (auto [index, expected] : std::vector<std::pair<int, int>>{{-3, 0}, {1, 1}, {2, 2}, {7, 2}}) {
    widget->SetPartIndex(index);
    EXPECT_EQ(widget->GetPartIndex(), expected) << index;
  }

  {
    LogCapture log;
    EXPECT_FALSE(widget->SetPartFile("nowhere.lua"));
    EXPECT_FALSE(LogCapture::At(MSG_ERROR).empty());
  }
  ASSERT_NE(widget->GetPartsys(), nullptr) << "a failed load keeps the empty system";
  EXPECT_EQ(widget->GetPartsys()->GroupC(), 0u);

  EXPECT_FALSE(widget->SetPartFile(""));
  EXPECT_EQ(widget->GetPartsys(), nullptr);
  widget->SetPartIndex(1);
  EXPECT_EQ(widget->GetPartIndex(), 2) << "no system: the index stays";
  graphics_.draws3D.clear();
  EXPECT_TRUE(widget->Update(1.0f));
  EXPECT_TRUE(widget->Render(false));
  EXPECT_TRUE(graphics_.draws3D.empty());

  auto* flat = MakeParticleWidget<UIPart2DWidget>(nullptr, "sparks", "screen.p2d");
  EXPECT_TRUE(flat->SetPartFile("screen.p2d"));
  EXPECT_EQ(flat->GetPartsys()->GroupC(), 2);
  EXPECT_FALSE(flat->SetPartFile(""));
  EXPECT_EQ(flat->GetPartsys(), nullptr);
}

TEST_F(UIPartWidgetTest, WorldWidgetDrawsUnderItsChildrenOrOnTop) {
  auto* widget = MakeParticleWidget<UIPartWidget>(nullptr, "motes", "world.lua");
  widget->SetImage(ui::UIWidget::kImageOff, "frame_16x16.png");
  widget->SetGenTime(0.25f);
  widget->Update(1.0f);
  const std::vector<std::string> names = {"mote_8x8.png", "frame_16x16.png"};

  struct Case {
    const char* what;
    bool onTop, visible, active, camera;
    std::vector<std::string> normalPass, onTopPass;
  };
  const std::vector<Case> cases = {
      {"normal: the particles, then the image", false, true, true, true, names, {}},
      {"on top: nothing in the normal pass", true, true, true, true, {}, {"mote_8x8.png"}},
      {"hidden: nothing", false, false, true, true, {}, {}},
      {"inactive: nothing, not even the image", false, true, false, true, {}, {}},
      {"inactive on top: nothing", true, true, false, true, {}, {}},
      {"no camera: the image alone", false, true, true, false, {"frame_16x16.png"}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    widget->SetForceOnTop(c.onTop);
    widget->SetIsVisible(c.visible);
    widget->SetIsActive(c.active);
    GetUIMan()->SetCamera(c.camera ? &camera_ : nullptr);
    graphics_.calls.clear();
    widget->Render(false);
    EXPECT_EQ(Binds(names), c.normalPass);
    graphics_.calls.clear();
    widget->RenderOnTop();
    EXPECT_EQ(Binds(names), c.onTopPass);
  }
}

TEST_F(UIPartWidgetTest, ScreenWidgetGeneratesPausesAndKeepsToItsPool) {
  auto* widget = MakeParticleWidget<UIPart2DWidget>(nullptr, "sparks", "screen.p2d");
  part2d::Part2D* system = widget->GetPartsys();
  widget->Update(0.35f);
  EXPECT_EQ(Alive(system->GetGroup(0)), 3);
  EXPECT_EQ(Alive(system->GetGroup(1)), 0) << "a rate of 0 generates nothing";
  for (int i = 0; i < system->GetGroup(0)->GetMaxC(); ++i) {
    const part2d::Particle& p = system->GetGroup(0)->GetParticles()[i];
    if (p.alive) {
      EXPECT_TRUE(widget->IsInside(p.position)) << p.position.x << ", " << p.position.y;
    }
  }

  widget->SetPaused(true);
  EXPECT_TRUE(widget->IsPaused());
  widget->Update(10.0f);
  EXPECT_EQ(Alive(system->GetGroup(0)), 3) << "paused: no generation";
  widget->SetPaused(false);

  // A tiny rate or a long frame: one pool at most, the rest of the time dropped.
  system->GetGroup(0)->ClearParticles();
  system->GetGroup(0)->SetGenRate(1e-9f);
  widget->Update(1.0f);
  EXPECT_EQ(Alive(system->GetGroup(0)), 20);
  system->GetGroup(0)->ClearParticles();
  system->GetGroup(0)->SetGenRate(0.1f);
  widget->Update(0.05f);
  EXPECT_EQ(Alive(system->GetGroup(0)), 0) << "the dropped time does not come back";

  // Triggers go to group 0 alone, and no more than its pool.
  widget->ClearParticles();
  widget->TriggerParticles(3);
  EXPECT_EQ(Alive(system->GetGroup(0)), 3);
  EXPECT_EQ(Alive(system->GetGroup(1)), 0);
  widget->TriggerParticles(2000000000);
  EXPECT_EQ(Alive(system->GetGroup(0)), 20);
  widget->ClearParticles();
  EXPECT_EQ(Alive(system->GetGroup(0)), 0);
}

TEST_F(UIPartWidgetTest, ScreenWidgetDrawsInsteadOfItsImageAndOnTopAfterItsSiblings) {
  ui::UIWidget* panel = Make(nullptr, "panel", {0, 0}, {1, 1});
  auto* widget = MakeParticleWidget<UIPart2DWidget>(panel, "sparks", "screen.p2d");
  widget->SetImage(ui::UIWidget::kImageOff, "never_16x16.png");
  Make(widget, "inner")->SetImage(ui::UIWidget::kImageOff, "inner_16x16.png");
  Make(panel, "sibling")->SetImage(ui::UIWidget::kImageOff, "sibling_16x16.png");
  widget->TriggerParticles(3);
  const std::vector<std::string> names = {"spark_8x8.png", "never_16x16.png", "inner_16x16.png",
                                          "sibling_16x16.png"};

  graphics_.calls.clear();
  GetUIMan()->Render();
  EXPECT_EQ(Binds(names), (std::vector<std::string>{"spark_8x8.png", "inner_16x16.png", "sibling_16x16.png"}));

  widget->SetForceOnTop(true);
  graphics_.calls.clear();
  GetUIMan()->Render();
  EXPECT_EQ(Binds(names), (std::vector<std::string>{"inner_16x16.png", "sibling_16x16.png", "spark_8x8.png"}));

  GetUIMan()->SetCamera(nullptr);
  graphics_.calls.clear();
  GetUIMan()->Render();
  EXPECT_EQ(Binds(names), (std::vector<std::string>{"inner_16x16.png", "sibling_16x16.png"}));
}

TEST_F(UIPartWidgetTest, PanelsSaveAndReloadTheirParticleWidgets) {
  ui::UIWidget* panel = Make(nullptr, "effects", {0, 0}, {1, 1});
  auto* world = MakeParticleWidget<UIPartWidget>(panel, "motes", "world.lua");
  world->SetGenTime(0.1f);
  world->SetPartIndex(1);
  world->SetForceOnTop(true);
  MakeParticleWidget<UIPart2DWidget>(panel, "sparks", "screen.p2d");
  MakeParticleWidget<UIPart2DWidget>(panel, "empty", "");
  GetUIMan()->SavePanel(panel, "effects.ui");
  const std::string first = ReadFile("effects.ui");
  const std::string keys = Unindented(first);
  EXPECT_NE(keys.find("Type = \"partsys\",\nPartsys = \"world.lua\",\nGenTime = 0.100000,\nForceOnTop = 1,\n"
                      "PartIndex = 1,\n"),
            std::string::npos)
      << first;
  EXPECT_NE(keys.find("Type = \"part2d\",\nPartsys = \"screen.p2d\",\nForceOnTop = 0,\n"), std::string::npos) << first;
  EXPECT_NE(keys.find("Type = \"part2d\",\n}"), std::string::npos) << "no file, no particle keys";
  GetUIMan()->DropAllPanels();

  ui::UIWidget* loaded = GetUIMan()->AddPanel("effects.ui");
  ASSERT_NE(loaded, nullptr);
  auto* motes = dynamic_cast<UIPartWidget*>(loaded->Find("motes"));
  ASSERT_NE(motes, nullptr);
  ASSERT_NE(motes->GetPartsys(), nullptr);
  EXPECT_EQ(motes->GetPartsys()->GetFileName(), "world.lua");
  EXPECT_FLOAT_EQ(motes->GetGenTime(), 0.1f);
  EXPECT_EQ(motes->GetPartIndex(), 1);
  EXPECT_TRUE(motes->IsForcedOnTop());
  ASSERT_NE(loaded->GetPartWidgetByName("SPARKS"), nullptr);
  EXPECT_EQ(loaded->GetPartWidgetByName("sparks")->GetPartsys()->GroupC(), 2);
  EXPECT_EQ(loaded->GetPartWidgetByName("empty")->GetPartsys(), nullptr);
  EXPECT_EQ(loaded->GetPartWidgetByName("motes"), nullptr) << "only the 2D kind";
  GetUIMan()->SavePanel(loaded, "again.ui");
  EXPECT_EQ(ReadFile("again.ui"), first);

  // A clone is of the same kind, holds no system and starts from the defaults.
  std::unique_ptr<ui::UIWidget> worldClone(motes->GetClone());
  auto* cloned = dynamic_cast<UIPartWidget*>(worldClone.get());
  ASSERT_NE(cloned, nullptr);
  EXPECT_EQ(cloned->GetPartsys(), nullptr);
  EXPECT_FLOAT_EQ(cloned->GetGenTime(), 1.0f);
  EXPECT_FALSE(cloned->IsForcedOnTop());
  EXPECT_EQ(cloned->GetPosition().x, motes->GetPosition().x);
  EXPECT_EQ(cloned->GetPosition().y, motes->GetPosition().y);
  std::unique_ptr<ui::UIWidget> flatClone(loaded->GetPartWidgetByName("sparks")->GetClone());
  ASSERT_NE(dynamic_cast<UIPart2DWidget*>(flatClone.get()), nullptr);
  EXPECT_EQ(static_cast<UIPart2DWidget*>(flatClone.get())->GetPartsys(), nullptr);
  EXPECT_EQ(flatClone->GetType(), UIPart2DWidget::kType);
}

TEST_F(UIPartWidgetTest, WidgetsWhoseFileDoesNotLoadSaveItAsGiven) {
  WriteText("broken.ui",
            "Panel = { Name = 'broken', Pos = { 0, 0 }, Size = { 1, 1 }, Children = {\n"
            "  { Name = 'motes', Type = 'partsys', Partsys = 'missing.lua', GenTime = 0.25, ForceOnTop = 1,"
            " PartIndex = 3 },\n"
            "  { Name = 'sparks', Type = 'part2d', Partsys = 'missing.p2d', ForceOnTop = 1 } } }\n");
  LogCapture log;
  ui::UIWidget* panel = GetUIMan()->AddPanel("broken.ui");
  ASSERT_NE(panel, nullptr);
  GetUIMan()->SavePanel(panel, "saved.ui");
  const std::string first = ReadFile("saved.ui");
  const std::string keys = Unindented(first);
  EXPECT_NE(keys.find("Type = \"partsys\",\nPartsys = \"missing.lua\",\nGenTime = 0.250000,\nForceOnTop = 1,\n"
                      "PartIndex = 3,\n"),
            std::string::npos)
      << first;
  EXPECT_NE(keys.find("Type = \"part2d\",\nPartsys = \"missing.p2d\",\nForceOnTop = 1,\n"), std::string::npos)
      << first;
  GetUIMan()->DropAllPanels();
  ASSERT_NE(GetUIMan()->AddPanel("saved.ui"), nullptr);
  GetUIMan()->SavePanel(GetUIMan()->GetPanel("broken"), "again.ui");
  EXPECT_EQ(ReadFile("again.ui"), first);
}

TEST_F(UIPartWidgetTest, ScriptsReachTheScreenWidgetAndItsSystem) {
  ui::UIManager::RegisterLua(console_->GetState());
  ui::UIWidget* panel = Make(nullptr, "panel", {0, 0}, {1, 1});
  auto* widget = MakeParticleWidget<UIPart2DWidget>(panel, "sparks", "screen.p2d");
  Make(panel, "plain");
  console_->Do(
      "local panel = GetUIMan():GetPanel('panel')\n"
      "sparks = panel:GetPartWidgetByName('sparks')\n"
      "table.insert(Events, tostring(panel:GetPartWidgetByName('plain')))\n"
      "sparks:TriggerParticles(3)\n"
      "sparks:SetPaused(true)\n"
      "table.insert(Events, tostring(sparks:IsPaused()))\n"
      "local system = sparks:GetPartsys()\n"
      "table.insert(Events, tostring(system:GroupC()))\n"
      "table.insert(Events, tostring(system:GetGroup(0):GetMaxC()))\n");
  EXPECT_EQ(Events(), (std::vector<std::string>{"nil", "true", "2", "20"}));
  EXPECT_TRUE(widget->IsPaused());
  EXPECT_EQ(Alive(widget->GetPartsys()->GetGroup(0)), 3);
  ClearEvents();
  console_->Do(
      "sparks:SavePartFile('copy.p2d')\n"
      "sparks:ClearParticles()\n"
      "sparks:SetPartFile('')\n"
      "table.insert(Events, tostring(sparks:GetPartsys()))\n");
  EXPECT_EQ(Events(), (std::vector<std::string>{"nil"}));
  EXPECT_EQ(widget->GetPartsys(), nullptr);
  part2d::Part2D copy;
  ASSERT_TRUE(copy.Load("copy.p2d"));
  EXPECT_EQ(copy.GroupC(), 2);
}

// The whole path on the real renderer: a panel's two effects, generated
// under their widgets and drawn in the UI pass through the screen's camera,
// show inside their widgets and nowhere else.
TEST_F(UIPartWidgetTest, BothEffectsShowInsideTheirWidgetsOnTheRealRenderer) {
  ui_testing::RealDevice device;
  ASSERT_NO_FATAL_FAILURE(device.Start());
  const std::string dot = VANTOR_SOURCE_DIR "/data/particles/soft_dot.png";
  WriteText("green.lua", "ParticleGroups = { { Texture = [[" + dot + "]], StartC = 0, MaxC = 200, Additive = 0,\n"
                         "  StartColor = { 0, 1, 0 }, EndColor = { 0, 1, 0 }, StartAlpha = 1, EndAlpha = 1,\n"
                         "  Emitter = { Type = 'Box', MinForce = { 0, 0, 0 }, MaxForce = { 0, 0, 0 },\n"
                         "              MinSize = 0.5, MaxSize = 0.5, MinLife = 100, MaxLife = 100 } } }\n");
  WriteText("red.p2d", "Part2D = { { Image = [[" + dot + "]], MaxC = 200, Lifespan = { 100, 100 }, GenRate = 0.005,\n"
                       "  SizeFromMin = { 0.02, 0.02 }, SizeFromMax = { 0.02, 0.02 },\n"
                       "  SizeToMin = { 0.02, 0.02 }, SizeToMax = { 0.02, 0.02 },\n"
                       "  MinSpeed = { 0, 0 }, MaxSpeed = { 0, 0 }, Color = { { 1, 0, 0, 1 } } } }\n");
  {
    ui::UIWidget* panel = Make(nullptr, "panel", {0, 0}, {1, 1});
    MakeParticleWidget<UIPartWidget>(panel, "motes", "green.lua", {0.6f, 0.6f}, {0.2f, 0.2f})->SetGenTime(0.005f);
    MakeParticleWidget<UIPart2DWidget>(panel, "red", "red.p2d", {0.1f, 0.1f}, {0.2f, 0.2f});
    camera_.SetClearColour(0xFF000000u);
    GetUIMan()->Update(1.0f);
    ASSERT_TRUE(camera_.Begin(true));
    GetDx8Graphics()->SetDefaultRenderStates();
    GetUIMan()->ShowCursor(false);
    GetUIMan()->Render();
    GetUIMan()->ShowCursor(true);
    std::vector<uint32_t> pixels;
    uint32_t width = 0, height = 0;
    ASSERT_TRUE(platform::testing::ReadBackFrame(GetDx8Graphics()->GetDevice(), pixels, width, height));
    camera_.End();
    ASSERT_EQ(width * height, 800u * 600u);
    // Pixels strong in the channel (bit shift) and weak in the others,
    // inside the box (screen fractions), and outside it grown by a margin
    // for the particles' own size.
    struct Counts {
      int inside = 0, outside = 0;
    };
    auto count = [&](int shift, math::Vec2 low, math::Vec2 high, float margin) {
      Counts counts;
      for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
          const uint32_t pixel = pixels[y * width + x];
          bool shows = true;
          for (int channel = 0; channel < 24; channel += 8) {
            const uint32_t value = pixel >> channel & 0xFF;
            shows = shows && (channel == shift ? value >= 128 : value <= 64);
          }
          if (!shows) continue;
          const math::Vec2 at(x / 800.0f, y / 600.0f);
          if (at.x >= low.x && at.x <= high.x && at.y >= low.y && at.y <= high.y) {
            ++counts.inside;
          } else if (at.x < low.x - margin || at.x > high.x + margin || at.y < low.y - margin ||
                     at.y > high.y + margin) {
            ++counts.outside;
          }
        }
      }
      return counts;
    };
    const Counts green = count(8, {0.6f, 0.6f}, {0.8f, 0.8f}, 0.05f);
    EXPECT_GT(green.inside, 2000);
    EXPECT_EQ(green.outside, 0);
    const Counts red = count(16, {0.1f, 0.1f}, {0.3f, 0.3f}, 0.03f);
    EXPECT_GT(red.inside, 2000);
    EXPECT_EQ(red.outside, 0);
    GetUIMan()->DropAllPanels();
  }
}

}  // namespace
