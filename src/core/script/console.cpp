#include "core/script/console.h"

#include "core/script/config_file.h"
#include "core/input/input.h"
#include "core/input/keyboard.h"
#include "core/log.h"
#include "core/script/script_helper.h"
#include "platform/input/dinput.h"

namespace console {
namespace {
constexpr const char* kLayoutTable = "Console";
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
  textHeight_ = script::ReadGlobalFloat(state_, kLayoutTable, "TextHeight", textHeight_);
  promptPos_ = script::ReadGlobalFloat(state_, kLayoutTable, "PromptPos", promptPos_);
  backgroundHeight_ = script::ReadGlobalFloat(state_, kLayoutTable, "BackgroundHeight", backgroundHeight_);
  RegisterLua(state_);
  config::ConfigFile::RegisterLua(state_);
  if (view_) view_->Load(*this, face);
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
  if (view_) view_->Unload();
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
  if (open_ && view_) view_->Draw(*this);
}

void LogHook(const char* text) { GetConsole()->AddLine(text ? text : ""); }

}  // namespace console

console::Console* GetConsole() {
  GetLog();  // outlives the console, whose destruction unhooks it
  static console::Console console;
  return &console;
}
