// Shared by the widget tests: a scratch folder as the current folder, the
// console's Lua state with a table "Events" that scripts append to, the
// button and key sounds mixing offline (Sounds() in Lua tells how many of
// each have played), a fixed-width font as "SmallFont", made-up images from
// a recording renderer, and an empty UI manager afterwards.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/math/vector.h"
#include "core/script/console.h"
#include "core/input/input.h"
#include "core/input/keyboard.h"
#include "platform/audio/bass.h"
#include "platform/audio/bass_testing.h"
#include "platform/input/dinput_testing.h"
#include "render/fonts/font.h"
#include "render/fonts/font_manager.h"
#include "render/recording_graphics.h"
#include "render/sprites/sprite_set.h"
#include "audio/audio.h"
#include "audio/audio_test_support.h"
#include "ui/manager/ui_manager.h"
#include "ui/widgets/ui_widget.h"

namespace ui_testing {

// Every character is `advance` wide, every line `lineHeight` high; lines
// break at '\n' only. Draws are recorded.
class FixedFont : public Font {
 public:
  static constexpr float kAdvance = 0.01f;
  static constexpr float kLineHeight = 0.03f;

  struct Draw {
    std::u16string text;
    math::Vec2 position, box;
    uint32_t flags, colour;
  };

  explicit FixedFont(const std::string& name) : Font(name) {}

  void DrawTextW(const std::u16string& text, const math::Vec2& position, const math::Vec2& box, uint32_t flags,
                 uint32_t colour, int) override {
    draws.push_back({text, position, box, flags, colour});
  }
  void DrawText(const std::string& text, const math::Vec2& position, const math::Vec2& box, uint32_t flags,
                uint32_t colour, int unused) override {
    DrawTextW(std::u16string(text.begin(), text.end()), position, box, flags, colour, unused);
  }
  void GetTextRectW(const std::u16string& text, const math::Vec2& box, math::Vec2& position, math::Vec2& size,
                    uint32_t flags) override {
    size_t lines = 1, longest = 0, run = 0;
    for (char16_t c : text) {
      if (c == u'\n') {
        ++lines;
        run = 0;
      } else {
        longest = std::max(longest, ++run);
      }
    }
    size = {static_cast<float>(longest) * kAdvance, static_cast<float>(lines) * kLineHeight};
    if (flags & kCentre)
      position.x += (box.x - size.x) / 2;
    else if (flags & kRight)
      position.x += box.x - size.x;
    if (flags & kBottom)
      position.y += box.y - size.y;
    else if (flags & kVerticalCentre)
      position.y += (box.y - size.y) / 2;
  }
  void GetTextRect(const std::string& text, const math::Vec2& box, math::Vec2& position, math::Vec2& size,
                   uint32_t flags) override {
    GetTextRectW(std::u16string(text.begin(), text.end()), box, position, size, flags);
  }
  float GetHeight() const override { return kLineHeight; }

  std::vector<Draw> draws;
};

class UITest : public testsupport::AudioTestBase {
 protected:
  // The sound sets of the bank and their files; the first three are the
  // widgets' own, the others the help box's.
  struct Sound {
    const char* file;
    const char* set;
  };
  static constexpr Sound kSounds[] = {{"press", "button_press"}, {"rollover", "button_rollover"},
                                      {"key", "textbox_new_text"}, {"hint_up", "hint_up"},
                                      {"hint_down", "hint_down"},  {"help_open", "help_open"},
                                      {"help_close", "help_close"}};
  static constexpr size_t kWidgetSounds = 3;

  void SetUp() override {
    AudioTestBase::SetUp();
    const std::string here = std::filesystem::current_path().string() + "/";
    // Absolute names: the process-wide sound system keeps every file it loaded.
    std::string bank = "SoundBank = {\n";
    for (const Sound& sound : kSounds) {
      WriteSound(std::string(sound.file) + ".wav");
      bank += "  { Name = '" + std::string(sound.set) + "', Files = { [[" + here + sound.file + ".wav]] } },\n";
    }
    WriteText("bank.lua", bank + "}\n");
    audio::GetAudio().Init("bank.lua");
    for (const Sound& sound : kSounds) {
      const audio::LoadedSample* sample = audio::GetAudio().Find(here + sound.file + ".wav");
      ASSERT_NE(sample, nullptr);
      samples_.push_back(sample->handle);
    }
    WriteText("console.lua", "Events = {}\n");
    console_ = GetConsole();
    console_->Init("console.lua", "");
    console_->GetState()->GetGlobals().Register("Sounds", &LuaSounds, 0);
    Samples() = samples_;
    font_ = new FixedFont("SmallFont");
    ASSERT_TRUE(GetFontManager()->Add("SmallFont", font_));
    ui::UIWidget::ResetNameCounters();
  }
  void TearDown() override {
    ui::UIManager* manager = GetUIMan();
    manager->DropAllPanels();
    manager->ClearEditWidget();
    manager->SetOpenDropdown(nullptr);
    // Each test starts without the movie player's driver.
    manager->ShutdownFlash();
    GetFontManager()->Entries().erase(GetFontManager()->KeyOf("SmallFont"));
    delete font_;
    ui::GetSpriteSet()->Clear();
    console_->Shutdown();
    Samples().clear();
    AudioTestBase::TearDown();
  }

  // Vectors and the UI's classes and functions in the console's state.
  void RegisterUIScripts() {
    math::RegisterVectorLua(console_->GetState());
    ui::UIManager::RegisterLua(console_->GetState());
  }
  // What the scripts appended to "Events", in order.
  std::vector<std::string> Events() {
    std::vector<std::string> events;
    LuaPlus::LuaObject table = console_->GetState()->GetGlobal("Events");
    for (int i = 1; i <= table.GetTableCount(); ++i)
      events.push_back(table[i].IsString() ? table[i].GetString() : "?");
    return events;
  }
  void ClearEvents() { console_->Do("Events = {}"); }
  // "press 1 rollover 0 key 2": how many times each widget sound has played.
  static std::string SoundCounts() {
    std::string counts;
    for (size_t i = 0; i < kWidgetSounds && i < Samples().size(); ++i)
      counts += (i ? " " : "") + std::string(kSounds[i].file) + " " + std::to_string(Played(kSounds[i].file));
    return counts;
  }
  // How many times the sound of the file ("press", "hint_up" ...) has played.
  static int Played(const std::string& file) {
    for (size_t i = 0; i < Samples().size(); ++i)
      if (file == kSounds[i].file) return static_cast<int>(BASS_SampleGetChannels(Samples()[i], nullptr));
    return -1;
  }
  // Forgets what has played so far.
  static void ClearPlayed() {
    for (HSAMPLE sample : Samples()) BASS_SampleStop(sample);
  }
  // A widget made by the manager, set up with Init and listed under its parent.
  ui::UIWidget* Make(ui::UIWidget* parent, const std::string& name, math::Vec2 position = {0, 0},
                     math::Vec2 size = {0.1f, 0.1f}) {
    ui::UIWidget* widget = GetUIMan()->CreateWidget(parent, "widget");
    widget->Init(name, position, size);
    if (parent)
      EXPECT_TRUE(parent->Add(name, widget));
    else
      GetUIMan()->InsertPanel(widget);
    return widget;
  }

  RecordingGraphics graphics_;
  console::Console* console_ = nullptr;
  FixedFont* font_ = nullptr;

 private:
  static std::vector<HSAMPLE>& Samples() {
    static std::vector<HSAMPLE> samples;
    return samples;
  }
  static int LuaSounds(lua_State* L) {
    const std::string counts = SoundCounts();
    lua_pushlstring(L, counts.data(), counts.size());
    return 1;
  }

  std::vector<HSAMPLE> samples_;
};

}  // namespace ui_testing
