#include "core/console.h"

#include "core/config_file.h"
#include "core/input.h"
#include "core/keyboard.h"
#include "core/log.h"
#include "core/script_helper.h"
#include "platform/dinput.h"
#include "render/font.h"
#include "render/font_manager.h"
#include "render/graphics.h"
#include "render/image.h"
#include "render/quad_builders.h"

namespace console {
namespace {

constexpr const char* kBackground = "ui_img/blue.png";
constexpr const char* kLayoutTable = "Console";
constexpr const char* kFontName = "ConsoleFont";
// Layout flags with none of the font's alignment bits: left and top.
constexpr uint32_t kLayoutFlags = 16;
constexpr float kHistoryX = 0.02f;
constexpr float kPromptX = 0.01f;
constexpr uint32_t kWhite = 0xFFFFFFFFu;

Font* FindOrMakeFont(const std::string& face) {
  FontManager* fonts = GetFontManager();
  if (Font* font = fonts->Find(kFontName)) return font;
  Graphics* graphics = GetGraphics();
  Font* font = graphics ? graphics->CreateFontA(kFontName) : nullptr;
  if (!font) return nullptr;
  if (!face.empty())
    font->Resize(face, 8, 10, 100, 1);
  else
    font->Resize("times new roman", 10, 14, 500, 1);
  fonts->Add(kFontName, font);
  return font;
}

}  // namespace

Console::Console() { GetLog().SetHook(&LogHook); }

Console::~Console() {
  // The configuration saves (and logs) after the console is gone.
  if (GetLog().GetHook() == &LogHook) GetLog().SetHook(nullptr);
  Shutdown();
}

void Console::Init(const std::string& scriptPath, const std::string& face) {
  // Made before the keyboard existed: listen from now on.
  if (!keyboard && (keyboard = input::GetInput().GetKeyboard())) keyboard->AddListener(this);
  if (state_) LuaPlus::LuaState::Destroy(state_);
  state_ = script::CreateLuaState();
  if (!script::LoadScript(state_, scriptPath)) LOG_LINE(MSG_WARNING, "Unable to open Console file " + scriptPath);
  Graphics* graphics = GetGraphics();
  delete background_;
  background_ = graphics ? graphics->LoadImageA(kBackground) : nullptr;
  textHeight_ = script::ReadGlobalFloat(state_, kLayoutTable, "TextHeight", textHeight_);
  promptPos_ = script::ReadGlobalFloat(state_, kLayoutTable, "PromptPos", promptPos_);
  backgroundHeight_ = script::ReadGlobalFloat(state_, kLayoutTable, "BackgroundHeight", backgroundHeight_);
  RegisterLua(state_);
  config::ConfigFile::RegisterLua(state_);
  font_ = FindOrMakeFont(face);
}

void Console::Do(const std::string& text) {
  if (!state_ || text.empty()) return;
  state_->DoString(text.c_str());
  AddLine(text);
}

void Console::BindKey(int code, const std::string& command) {
  for (KeyBinding& binding : bindings_) {
    if (binding.code == code) {
      binding.command = command;
      return;
    }
  }
  bindings_.push_back({code, command});
}

void Console::AddLine(std::string text) {
  if (!text.empty() && text.back() == '\n') text.pop_back();
  history_.push_back(std::move(text));
  if (history_.size() > kMaxHistory) history_.pop_front();
}

void Console::Shutdown() {
  delete background_;
  background_ = nullptr;
  if (state_) LuaPlus::LuaState::Destroy(state_);
  state_ = nullptr;
}

void Console::OnKeyDown(const input::KeyState* key) {
  const int code = key->code;
  const input::Keyboard* keys = keyboard ? keyboard : input::GetInput().GetKeyboard();
  const bool shift = keys && (keys->GetKeyState(DIK_LSHIFT).down || keys->GetKeyState(DIK_RSHIFT).down);

  // By index, on a copy: a command may bind keys itself.
  for (size_t i = 0; i < bindings_.size(); ++i) {
    if (bindings_[i].code != code || bindings_[i].command.empty() || !state_) continue;
    const std::string command = bindings_[i].command;
    state_->DoString(command.c_str());
    AddLine(command);
  }

  if (!open_) {
    open_ = code == DIK_GRAVE;
    return;
  }
  switch (code) {
    case DIK_BACK:
      if (!prompt_.empty()) prompt_.pop_back();
      break;
    case DIK_RETURN:
      EnterPrompt();
      break;
    case DIK_GRAVE:
      open_ = false;
      break;
    case DIK_LSHIFT:
    case DIK_RSHIFT:
    case DIK_LEFT:
    case DIK_RIGHT:
      break;
    case DIK_UP:
      if (commandCursor_ > 0) RecallCommand(commandCursor_ - 1);
      break;
    case DIK_DOWN:
      if (commands_.size() - commandCursor_ > 1) RecallCommand(commandCursor_ + 1);
      break;
    case DIK_INSERT: {
      std::string clipboard;
      if (shift && keys && keys->GetClipboardText(clipboard)) prompt_ += clipboard;
      break;
    }
    default:
      TypeKey(code);
      break;
  }
}

void Console::EnterPrompt() {
  const std::string line = prompt_;
  prompt_.clear();
  AddLine(line);
  Do(line);
  commands_.push_back(line);
  if (commands_.size() > kMaxCommands) commands_.pop_front();
  commandCursor_ = commands_.size();
}

void Console::RecallCommand(size_t cursor) {
  commandCursor_ = cursor;
  prompt_ = commands_[cursor];
}

void Console::TypeKey(int code) {
  char typed[4] = {};
  input::Keyboard::ScanCodeToAscii(uint32_t(code), typed);
  const unsigned char c = static_cast<unsigned char>(typed[0]);
  if (c >= 32 && c <= 127) prompt_ += char(c);
}

void Console::Render() {
  if (!open_) return;
  RenderBackground();
  if (!font_) return;
  RenderHistory();
  FontManager* fonts = GetFontManager();
  fonts->PrintfFont(font_, math::Vec2(kPromptX, promptPos_), "%s", prompt_.c_str());
  fonts->FlushText();
}

void Console::RenderBackground() {
  Graphics* graphics = GetGraphics();
  if (!background_ || !graphics) return;
  background_->Update();
  graphics->SetTexture(0, background_);
  graphics->SetRenderState(Graphics::kSourceBlend, Graphics::kBlendSourceAlpha);
  graphics->SetRenderState(Graphics::kDestBlend, Graphics::kBlendInverseSourceAlpha);
  Vertex2D quad[6];
  BuildRectQuad(quad, math::Vec2(0.0f, 0.0f), math::Vec2(1.0f, backgroundHeight_), math::Vec2(0.0f, 0.0f),
                math::Vec2(1.0f, 1.0f), kWhite);
  graphics->DrawArray2D(quad, 6, Graphics::kTriangleList);
}

void Console::RenderHistory() {
  float y = textHeight_;
  for (auto line = history_.rbegin(); line != history_.rend() && y > 0.0f; ++line) {
    math::Vec2 position(kHistoryX, y);
    math::Vec2 size;
    font_->GetTextRect(*line, math::Vec2(1.0f, 0.0f), position, size, kLayoutFlags);
    // A line that inks nothing (empty, or control characters only) keeps one line's height.
    y -= size.y > 0.0f ? size.y : font_->GetHeight();
    font_->DrawText(*line, math::Vec2(kHistoryX, y), math::Vec2(1.0f, 1.0f), kLayoutFlags, kWhite, 0);
  }
}

void LogHook(const char* text) { GetConsole()->AddLine(text ? text : ""); }

}  // namespace console

console::Console* GetConsole() {
  GetLog();  // outlives the console, whose destruction unhooks it
  static console::Console console;
  return &console;
}
