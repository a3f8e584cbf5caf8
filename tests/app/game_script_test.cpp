// The script hub as the game's scripts meet it: a whole application started
// from the game's data folder, driven through the console's Lua state.
#include "app/game_script.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/bare_game_app.h"
#include "app/game_rms.h"
#include "audio/audio.h"
#include "core/frame_timer.h"
#include "core/math/math_expect.h"
#include "core/input/input.h"
#include "core/input/key_listener.h"
#include "core/input/keyboard.h"
#include "core/input/mouse.h"
#include "core/script/console.h"
#include "image_identify.h"
#include "log_capture.h"
#include "platform/audio/bass.h"
#include "platform/audio/bass_testing.h"
#include "platform/d3d8/d3d8_testing.h"
#include "platform/input/dinput_testing.h"
#include "platform/sound_fixtures.h"
#include "platform/window/win32_testing.h"
#include "render/dx8/dx8_graphics.h"
#include "render/fonts/font_manager.h"
#include "render/font_test_support.h"
#include "temp_folder.h"
#include "ui/gameflow/game_flow_manager.h"
#include "ui/widgets/kinds/ui_check_box.h"
#include "ui/widgets/kinds/ui_drop_down.h"
#include "ui/manager/ui_manager.h"
#include "ui/widgets/kinds/ui_progress.h"
#include "ui/widgets/kinds/ui_slider.h"
#include "ui/widgets/ui_widget.h"

namespace {

// Draws its frames through the game's camera, as the playing state does.
class CameraState : public gameflow::GameState {
 public:
  bool Render() override {
    camera::PerspectiveCamera* camera = GetApp()->GetCamera();
    if (!camera->Begin(true)) return false;
    camera->End();
    return camera->Present();
  }
};

// Starts as the game does and enters a state of its own.
class HubApp : public BareGameApp {
 public:
  HubApp() : BareGameApp("hub_test") {}
  void InitFonts() override { GetFontManager()->LoadFonts("times new roman", 6, 12); }
  void OnCreateStates() override {
    gameflow::GameFlowManager& flow = gameflow::GetGameFlowManager();
    flow.SetCamera(GetCamera());
    flow.SetApplication(this);
    flow.SetFadeOverlay(false);
    flow.AddTransitionState("hub", new CameraState());
    flow.SetState(flow.FindState("hub"));
  }
};

class GameScriptTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.ok());
    platform::testing::SetOfflineMixing(true);
    {
      // Each test starts windowed from fresh settings, whatever an earlier one stored.
      GameRMS settings(GetUserDataPath() + "hub_test.rms");
      settings.Reset();
      settings.SetUseFullscreenEnabled(false);
    }
    app_ = std::make_unique<HubApp>();
    SetApp(app_.get());
    ASSERT_TRUE(app_->InitWindow("hub test", 800, 600));
    ASSERT_TRUE(app_->Init());
    platform::testing::ClearMessageQueue();
  }
  void TearDown() override {
    app_->Shutdown();
    gameflow::GetGameFlowManager().SetApplication(nullptr);
    gameflow::GetGameFlowManager().SetCamera(nullptr);
    DestroyWindow(app_->GetWindow());
    SetApp(nullptr);
    app_.reset();
    platform::testing::ClearMessageQueue();
    platform::testing::SetOfflineMixing(false);
  }

  // Runs the text in the game's Lua state; false on a script error.
  bool Run(const std::string& text) { return GetConsole()->GetState()->DoString(text.c_str()) == 0; }
  LuaPlus::LuaObject Global(const char* name) { return GetConsole()->GetState()->GetGlobal(name); }

  font_test::InDataFolder folder_;
  std::unique_ptr<HubApp> app_;
};

TEST_F(GameScriptTest, ScriptsReachTheHubTheMathsAndTheOtherComponents) {
  const char* const kGlobals[] = {
      "GetScript",       "Vec2",          "Vec3",           "Vec4",          "FloatRamp",
      "LoadLanguage",    "HardQuitGame",  "FullScreenMode", "WindowedMode",  "IsFullscreenMode",
      "CreateFont",      "ResizeFont",    "SetFontBorder",  "TakeScreenshot", "ToggleFilter",
      "ReloadImages",    "ForceSave",     "StartPlayTestSound", "ForceRedraw", "SetLocale",
      "GetConsole",      "GetConfig",
  };
  for (const char* name : kGlobals) EXPECT_FALSE(Global(name).IsNil()) << name;
  // The other components' registrations, in their order.
  for (const char* name : {"GetRMS", "SearchDir", "Widget", "AddUIPan", "AddUIMove", "AddUISine", "AddUIXFade",
                           "UISetImage", "UIManager", "GetUIMan", "GetAudio", "GetServer"})
    EXPECT_FALSE(Global(name).IsNil()) << name;
  ASSERT_TRUE(Run("script = GetScript() hasDialogs = script.GetOpenFile ~= nil and script.GetSaveFile ~= nil"));
  EXPECT_TRUE(Global("hasDialogs").GetBoolean());

  ASSERT_TRUE(Run("local c = Vec3(1, 0, 0) * Vec3(0, 1, 0) cross = { c.x, c.y, c.z } "
                  "local m = Vec2(1, 2) * Vec2(3, 4) product = { m.x, m.y } dot = Vec2(1, 2) ^ Vec2(3, 4)"));
  EXPECT_EQ(Global("cross")[3].GetNumber(), 1);
  EXPECT_EQ(Global("cross")[1].GetNumber() + Global("cross")[2].GetNumber(), 0);
  EXPECT_EQ(Global("product")[1].GetNumber(), 3);
  EXPECT_EQ(Global("product")[2].GetNumber(), 8);
  EXPECT_EQ(Global("dot").GetNumber(), 11);
}

// A font that notes what it is resized with.
class NotingFont : public Font {
 public:
  NotingFont() : Font("HubFont") {}
  void Resize(const std::string& face, int width, int height, int weight, int charset) override {
    face_ = face;
    width_ = width;
    height_ = height;
    weight_ = weight;
    charSet = charset;
  }
  void DrawTextW(const std::u16string&, const math::Vec2&, const math::Vec2&, uint32_t, uint32_t, int) override {}
  void DrawText(const std::string&, const math::Vec2&, const math::Vec2&, uint32_t, uint32_t, int) override {}
  void GetTextRectW(const std::u16string&, const math::Vec2&, math::Vec2&, math::Vec2&, uint32_t) override {}
  void GetTextRect(const std::string&, const math::Vec2&, math::Vec2&, math::Vec2&, uint32_t) override {}
  int charSet = -1;
};

TEST_F(GameScriptTest, ResizeFontTakesTheCharacterSetAndSpacingOfTheLocaleInAnyCase) {
  auto* font = new NotingFont();
  ASSERT_TRUE(GetFontManager()->Add("HubFont", font));
  const struct {
    const char* locale;
    int charSet;
    int spacing;
  } cases[] = {
      {"KoReAn", 129, 3}, {"CHINESE", 136, 3}, {"taiwanese", 134, 3}, {"Japanese", 128, 3},
      {"english", 1, 0},  {"korea", 1, 0},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(Run(std::string("SetLocale('") + c.locale + "') ResizeFont('HubFont', 'Daravur', 9.7, 20, 400)"));
    EXPECT_EQ(font->charSet, c.charSet) << c.locale;
    EXPECT_EQ(font->GetLineSpacing(), c.spacing) << c.locale;
  }
  EXPECT_EQ(font->GetWidth(), 9);  // truncated
  EXPECT_EQ(GameScript::GetLocale(), "korea");
  EXPECT_EQ(GetUIMan()->GetLanguage(), "korea");  // images named with "###" follow it
  // The game's own language call sets the locale too.
  ASSERT_TRUE(Run("SetupLanguage('english')"));
  EXPECT_EQ(GameScript::GetLocale(), "english");
}

TEST_F(GameScriptTest, FontCallsFallBackToTheCurrentFontOrMakeOne) {
  FontManager* fonts = GetFontManager();
  Font* current = fonts->GetCurrentFont();
  ASSERT_NE(current, nullptr);
  ASSERT_TRUE(Run("SetFontBorder('NoSuchFont', true) ResizeFont('NoSuchFont', 'DejaVu Sans', 7, 17, 400)"));
  EXPECT_TRUE(current->HasBorder());
  EXPECT_EQ(current->GetPixelHeight(), 17);
  EXPECT_EQ(fonts->Find("NoSuchFont"), nullptr);

  ASSERT_TRUE(Run("CreateFont('TitleFont', 'DejaVu Sans', 10, 24) CreateFont('TitleFont', 'DejaVu Sans', 5, 5)"));
  Font* made = fonts->Find("TitleFont");
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->GetPixelHeight(), 24);  // the second call left it alone
  EXPECT_EQ(made->GetWeight(), 700);
  ASSERT_TRUE(Run("SetFontBorder('TitleFont', true)"));
  EXPECT_TRUE(made->HasBorder());
  EXPECT_FALSE(Run("CreateFont('Broken')"));  // a wrong call is a script error
}

int LinesWith(const std::string& piece) {
  int count = 0;
  for (const std::string& line : LogCapture::Lines()) count += line.find(piece) != std::string::npos;
  return count;
}

TEST_F(GameScriptTest, DisplayModeSwitchesOnlyWhenTheModeDiffersAndIsKeptEitherWay) {
  LogCapture log;
  GameRMS* store = app_->GetRecordStore();
  ASSERT_NE(store, nullptr);
  ASSERT_TRUE(Run("FullScreenMode() FullScreenMode() full = IsFullscreenMode()"));
  EXPECT_EQ(LinesWith("Setting up fullscreen parameters"), 1);
  EXPECT_TRUE(Global("full").GetBoolean());
  EXPECT_FALSE(GetGraphics()->IsWindowed());
  EXPECT_TRUE(store->IsUseFullscreenEnabled());

  ASSERT_TRUE(Run("WindowedMode() WindowedMode() full = IsFullscreenMode()"));
  EXPECT_EQ(LinesWith("Setting up windowed parameters"), 1);
  EXPECT_FALSE(Global("full").GetBoolean());
  EXPECT_TRUE(GetGraphics()->IsWindowed());
  EXPECT_FALSE(store->IsUseFullscreenEnabled());
}

TEST_F(GameScriptTest, HardQuitSavesLeavesFullScreenAndQuitsKeepingTheStoredChoice) {
  ASSERT_TRUE(Run("FullScreenMode() GetRMS():SetSoundVolume(33) HardQuitGame()"));
  EXPECT_FALSE(app_->IsFullScreen());
  EXPECT_TRUE(app_->GetRecordStore()->IsUseFullscreenEnabled());
  int steps = 0;
  while (app_->Tick() && ++steps < 100) {
  }
  EXPECT_TRUE(app_->IsQuitting());
  // Saved: a store read afresh from the file has the new volume.
  GameRMS reread(GetUserDataPath() + app_->GetRMSFileName());
  EXPECT_EQ(reread.GetSoundVolume(), 33.0f);
}

TEST_F(GameScriptTest, FullScreenRefusedByTheDeviceLeavesTheGameWindowed) {
  LogCapture log;
  // The first reset and every retry fail.
  platform::testing::FailNextResets(GetDx8Graphics()->GetDevice(), 21);
  ASSERT_TRUE(Run("FullScreenMode() full = IsFullscreenMode()"));
  EXPECT_FALSE(Global("full").GetBoolean());
  EXPECT_EQ(LinesWith("**** UNABLE TO START FULLSCREEN ****"), 1);
  EXPECT_EQ(LinesWith("**** Forcing windowed mode ****"), 1);
  EXPECT_FALSE(GetDx8Graphics()->IsDeviceLost());
  EXPECT_TRUE(GetGraphics()->IsWindowed());
  // The player's choice is kept for the next start all the same.
  EXPECT_TRUE(app_->GetRecordStore()->IsUseFullscreenEnabled());
  // A later try may succeed.
  ASSERT_TRUE(Run("FullScreenMode() full = IsFullscreenMode()"));
  EXPECT_TRUE(Global("full").GetBoolean());
}

TEST_F(GameScriptTest, FileDialogsTakeTheirTitlesAndShowWindowed) {
  std::vector<platform::testing::FileDialogRequest> requests;
  std::vector<bool> fullScreenDuringDialog;
  std::string answer = "levels/new.lvl";
  platform::testing::SetFileDialogAnswerer([&](const platform::testing::FileDialogRequest& request,
                                               std::string& path) {
    requests.push_back(request);
    fullScreenDuringDialog.push_back(GetApp()->IsFullScreen());
    path = answer;
    return !answer.empty();
  });
  const bool ran = Run("saved = GetScript():GetSaveFile('My Title') "
                       "FullScreenMode() opened = GetScript():GetOpenFile('Pick a level') full = IsFullscreenMode()");
  answer.clear();
  const bool cancelled = Run("cancelled = GetScript():GetOpenFile('Pick')");
  platform::testing::SetFileDialogAnswerer(nullptr);
  ASSERT_TRUE(ran && cancelled);

  ASSERT_EQ(requests.size(), 3u);
  EXPECT_TRUE(requests[0].save);
  EXPECT_EQ(requests[0].title, "Save Level");
  EXPECT_EQ(requests[0].flags, static_cast<DWORD>(OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR |
                                                   OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT));
  EXPECT_EQ(requests[0].initialFolder, ".");
  ASSERT_EQ(requests[0].filters.size(), 1u);
  EXPECT_EQ(requests[0].filters[0].first, "All Files (*.*)");
  EXPECT_EQ(requests[0].filters[0].second, "*.*");
  EXPECT_EQ(requests[0].owner, app_->GetWindow());
  EXPECT_STREQ(Global("saved").GetString(), "levels/new.lvl");

  EXPECT_FALSE(requests[1].save);
  EXPECT_EQ(requests[1].title, "Pick a level");
  EXPECT_EQ(requests[1].flags & OFN_OVERWRITEPROMPT, 0u);
  // A full-screen game shows the dialog in a window and goes back afterwards.
  EXPECT_FALSE(fullScreenDuringDialog[1]);
  EXPECT_TRUE(Global("full").GetBoolean());
  EXPECT_STREQ(Global("opened").GetString(), "levels/new.lvl");
  EXPECT_STREQ(Global("cancelled").GetString(), "");
}

// Without a chooser on the search path, a file request logs one line saying
// why and counts as cancelled; a chooser the user cancels logs nothing.
TEST_F(GameScriptTest, AFileRequestWithoutAChooserLogsWhyAndCountsAsCancelled) {
  TempFolder bin;
  const char* searchPath = std::getenv("PATH");
  const std::string savedPath = searchPath ? searchPath : "";
  setenv("PATH", bin.Path().c_str(), 1);
  LogCapture log;
  const bool ran = Run("saved = GetScript():GetSaveFile('') opened = GetScript():GetOpenFile('Load Level')");
  const int missing = LinesWith("No file chooser could be started (is zenity installed?)");

  const std::string chooser = (bin.Path() / "zenity").string();
  std::ofstream(chooser) << "#!/bin/sh\nexit 1\n";
  std::filesystem::permissions(chooser, std::filesystem::perms::owner_all);
  const bool cancelled = Run("cancelled = GetScript():GetOpenFile('Load Level')");
  setenv("PATH", savedPath.c_str(), 1);

  ASSERT_TRUE(ran && cancelled);
  EXPECT_STREQ(Global("saved").GetString(), "");
  EXPECT_STREQ(Global("opened").GetString(), "");
  EXPECT_STREQ(Global("cancelled").GetString(), "");
  EXPECT_EQ(missing, 2) << "one line a request";
  EXPECT_EQ(LinesWith("\"Save Level\" counts as cancelled"), 1);
  EXPECT_EQ(LinesWith("No file chooser"), 2) << "a cancel logs nothing";
}

// A sound of the given length in place of the game's test sound.
class TestSoundFolder {
 public:
  explicit TestSoundFolder(int milliseconds) {
    std::filesystem::create_directories(folder_.Path() / "sounds");
    const sound_fixtures::Bytes wav = sound_fixtures::MakeLevelWav(44100, 1, 44100 * milliseconds / 1000, 8000);
    std::ofstream(folder_.Path() / "sounds/block_select.ogg", std::ios::binary)
        .write(reinterpret_cast<const char*>(wav.data()), static_cast<std::streamsize>(wav.size()));
  }

 private:
  TempFolder folder_{true};
};

void Mix(int milliseconds) {
  std::vector<int16_t> out(static_cast<size_t>(44100 * milliseconds / 1000) * 2);
  platform::testing::RenderMix(out.data(), out.size() / 2);
}

TEST_F(GameScriptTest, TestSoundStartsAtMostOncePerIntervalAndNeverOverItself) {
  TestSoundFolder sounds(1000);
  FrameTimer& timer = GetFrameTimer();
  const float savedTime = timer.totalTime;
  auto playAt = [&](float time) {
    timer.totalTime = time;
    return Run("StartPlayTestSound()");
  };
  ASSERT_TRUE(playAt(1000.0f));
  const audio::LoadedSample* sample = audio::GetAudio().Find("sounds/block_select.ogg");
  ASSERT_NE(sample, nullptr);
  auto channels = [&] { return BASS_SampleGetChannels(sample->handle, nullptr); };
  EXPECT_EQ(channels(), 1u);

  Mix(1200);  // the sound has ended
  EXPECT_EQ(channels(), 0u);
  ASSERT_TRUE(playAt(1000.7f));  // too soon after the last start
  EXPECT_EQ(channels(), 0u);
  ASSERT_TRUE(playAt(1000.9f));
  EXPECT_EQ(channels(), 1u);

  Mix(200);
  HCHANNEL playing = 0;
  BASS_SampleGetChannels(sample->handle, &playing);
  ASSERT_TRUE(playAt(1001.8f));  // due, but the sound still plays: it is not started over it
  EXPECT_EQ(channels(), 1u);
  EXPECT_GT(BASS_ChannelGetPosition(playing), 0u);
  timer.totalTime = savedTime;
}

TEST_F(GameScriptTest, TakeScreenshotSavesTheNextFrameAsABitmapThatIdentifyReads) {
  TempFolder shots;
  const struct {
    const char* name;
    const char* half;
    const char* size;
  } cases[] = {{"full", "false", "800x600"}, {"half", "true", "400x300"}};
  for (const auto& c : cases) {
    const std::string name = (shots.Path() / c.name).string();
    ASSERT_TRUE(Run("TakeScreenshot([[" + name + "]], " + c.half + ") ForceRedraw()"));
    const std::string text = IdentifyImage(name + ".bmp");
    EXPECT_EQ(text.rfind("BMP", 0), 0u) << text;
    EXPECT_EQ(text.substr(text.find(' ') + 1), c.size) << text;
  }
  // The game's keys name their shots themselves.
  ASSERT_TRUE(Run("CaptureMiniScreenshot()"));
  EXPECT_EQ(GetGraphics()->GetPendingScreenshot().rfind("mini_screenshot_", 0), 0u);
  GetGraphics()->RequestScreenshot("", false);
}

// Presses F5 for one frame; while it is held, each frame it hears about it
// asks for a redraw, as a script bound to it might.
class RedrawingListener : public input::KeyListener {
 public:
  void OnKeyHeld(const input::KeyState*) override {
    // A bound that ends a runaway recursion rather than the test.
    if (++held < 20) GameScript::ForceRedraw();
  }
  int held = 0;
};

TEST_F(GameScriptTest, RedrawInsideAFrameOnlyDraws) {
  RedrawingListener listener;
  // Past the moment after a focus gain in which input is held back.
  FrameTimer& timer = GetFrameTimer();
  const float savedTime = timer.totalTime;
  timer.totalTime += 10.0f;
  const uint32_t frames = GetGraphics()->GetFrameCount();
  platform::testing::FeedKey(SDL_SCANCODE_F5, true);
  app_->Update();
  platform::testing::FeedKey(SDL_SCANCODE_F5, false);
  app_->Update();
  EXPECT_EQ(listener.held, 1);  // heard once: no second poll, no recursion
  EXPECT_EQ(GetGraphics()->GetFrameCount() - frames, 3u);  // two frames and the redraw within the first

  // Outside a frame a redraw is a whole frame, input included.
  ASSERT_TRUE(Run("ForceRedraw()"));
  EXPECT_EQ(GetGraphics()->GetFrameCount() - frames, 4u);
  timer.totalTime = savedTime;
}

TEST_F(GameScriptTest, ShutdownDeletesTheCameraAfterTheConsole) {
  ASSERT_NE(app_->GetCamera(), nullptr);
  EXPECT_EQ(app_->GetCamera()->GetClearColour(), 0xFF19194Cu);  // (0.1, 0.1, 0.3), truncated
  EXPECT_FLOAT_EQ(app_->GetCamera()->GetAspect(), 4.0f / 3.0f);
  EXPECT_TRUE(Near(app_->GetCamera()->GetEye(), {0, 20, -20}));
  LogCapture log;
  app_->Shutdown();
  EXPECT_EQ(app_->GetCamera(), nullptr);
  EXPECT_EQ(app_->GetScript(), nullptr);
  std::vector<std::string> order;
  for (const std::string& line : LogCapture::Lines())
    for (const char* wanted : {"Console shutdown", "Camera Destroyed", "UI shutdown", "Graphics shutdown"})
      if (line.find(wanted) != std::string::npos) order.push_back(wanted);
  EXPECT_EQ(order,
            (std::vector<std::string>{"Console shutdown", "Camera Destroyed", "UI shutdown", "Graphics shutdown"}));
}

// The title slides in from its start: it shows there from the first frame,
// through its mover's delay, and comes to rest in its place.
TEST_F(GameScriptTest, TheTitleShowsAtItsSlidesStartUntilItMoves) {
  ui::UIWidget* title = GetUIMan()->AddPanel("ui/title.ui");
  ASSERT_NE(title, nullptr);
  title->SetIsVisible(true);
  ASSERT_TRUE(Run("OnEnterTitle()"));
  const struct {
    float dt, x, y;
  } frames[] = {{0.0f, 0.1f, -0.9f},  {0.016f, 0.1f, -0.9f}, {0.15f, 0.1f, -0.9f}, {0.5f, 0.1f, -0.9f},
                {0.5f, 0.1f, -0.9f}, {0.5f, 0.1f, 0.1f},    {0.5f, 0.1f, 0.1f}};
  for (const auto& frame : frames) {
    GetUIMan()->Update(frame.dt);
    if (frame.y < 0) {
      EXPECT_FLOAT_EQ(title->GetPosition().y, frame.y) << "after " << frame.dt;
    } else {
      EXPECT_NEAR(title->GetPosition().y, frame.y, 1e-4f);
    }
    EXPECT_FLOAT_EQ(title->GetPosition().x, frame.x);
  }
  GetUIMan()->DropPanel(title, true);
}

// The options screen as the player uses it: its sliders and its check box
// change the real volumes and display mode, and the record store keeps them.
TEST_F(GameScriptTest, TheOptionsScreenSetsAndKeepsTheVolumesAndTheDisplayMode) {
  ui::UIWidget* options = GetUIMan()->AddPanel("ui/options.ui");
  ASSERT_NE(options, nullptr);
  options->SetIsVisible(true);
  audio::Audio& sound = audio::GetAudio();
  sound.SetMusicVolume(40);
  ASSERT_TRUE(Run("OnEnterOptions()"));
  ui::UISlider* music = options->GetSliderByName("music_volume");
  ui::UISlider* effects = options->GetSliderByName("sound_volume");
  ui::UICheckBox* fullScreen = options->GetCheckBoxByName("full_screen");
  ASSERT_TRUE(music && effects && fullScreen);
  EXPECT_FLOAT_EQ(music->GetSlider(), 0.4f);
  EXPECT_FLOAT_EQ(effects->GetSlider(), sound.GetSFXVolume() / 100.0f);
  EXPECT_FALSE(fullScreen->IsChecked());
  ui::UIProgress* musicLevel = options->GetProgressByName("music_level");
  ui::UIProgress* effectsLevel = options->GetProgressByName("sound_level");
  ASSERT_TRUE(musicLevel && effectsLevel);
  EXPECT_FLOAT_EQ(musicLevel->GetProgress(), 0.4f);
  ui::UIDropDown* language = options->GetDropDownByName("language");
  ASSERT_NE(language, nullptr);
  EXPECT_EQ(language->GetSelectedText(), "English");

  input::MouseButton left;
  left.down = 1;
  auto pressAt = [&](ui::UIWidget* widget, float fraction) {
    const math::Vec2 point{widget->GetPosition().x + widget->GetSize().x * fraction,
                           widget->GetPosition().y + widget->GetSize().y * 0.5f};
    GetUIMan()->OnMouseHeld(&left, &point);
  };
  auto click = [&](ui::UIWidget* widget) {
    const math::Vec2 point = widget->GetPosition() + widget->GetSize() * 0.5f;
    GetUIMan()->OnMouseUp(&left, &point);
  };
  GameRMS* store = app_->GetRecordStore();
  pressAt(music, 0.3f);
  EXPECT_EQ(sound.GetMusicVolume(), 30);
  EXPECT_EQ(store->GetMusicVolume(), 30.0f);
  EXPECT_FLOAT_EQ(musicLevel->GetProgress(), 0.3f);
  pressAt(effects, 0.8f);
  EXPECT_EQ(sound.GetSFXVolume(), 80);
  EXPECT_EQ(store->GetSoundVolume(), 80.0f);
  EXPECT_FLOAT_EQ(effectsLevel->GetProgress(), 0.8f);

  click(fullScreen);
  EXPECT_TRUE(app_->IsFullScreen());
  EXPECT_TRUE(fullScreen->IsChecked());
  EXPECT_TRUE(store->IsUseFullscreenEnabled());
  click(fullScreen);
  EXPECT_FALSE(app_->IsFullScreen());
  EXPECT_FALSE(store->IsUseFullscreenEnabled());
  // Refused by the display: the box shows the windowed game; the choice is kept.
  platform::testing::FailNextResets(GetDx8Graphics()->GetDevice(), 21);
  click(fullScreen);
  EXPECT_FALSE(app_->IsFullScreen());
  EXPECT_FALSE(fullScreen->IsChecked());
  EXPECT_TRUE(store->IsUseFullscreenEnabled());
  GetUIMan()->DropPanel(options, true);
}

}  // namespace
