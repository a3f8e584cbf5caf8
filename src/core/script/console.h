// The in-game console and the owner of the main Lua state: every script of
// the game runs in it through Do, and every string run is echoed into the
// history. Opened with the grave-accent key, it shows (through the view the
// application hands it) a background across the top of the screen with the
// newest history lines and a prompt; it takes every log line through the
// log's hook and runs Lua commands bound to keys.
#pragma once
#include <cstddef>
#include <deque>
#include <string>
#include <vector>

#include "core/input/key_listener.h"
#include "platform/lua/luaplus.h"

namespace console {

class Console;

// Draws the open console. The console lies beneath the renderer, so the
// application hands it one at start-up; without one it draws nothing.
class ConsoleView {
 public:
  virtual ~ConsoleView() = default;
  // What drawing needs, loaded once the console's script has run; face is
  // the console font's face name.
  virtual void Load(const Console& console, const std::string& face) = 0;
  virtual void Draw(const Console& console) = 0;
  virtual void Unload() = 0;
};

struct KeyBinding {
  int code;  // DirectInput key code
  std::string command;
};

class Console : public input::KeyListener {
 public:
  // The history keeps this many newest lines, the command history this many
  // newest commands.
  static constexpr size_t kMaxHistory = 2000;
  static constexpr size_t kMaxCommands = 200;

  Console();
  ~Console() override;

  // Creates the main Lua state, runs the script, reads the layout from its
  // "Console" table and has the view load what it draws with. A console made
  // before the keyboard starts listening to it here.
  void Init(const std::string& scriptPath, const std::string& face);
  // Runs the text in the main state and echoes it; nothing without a state
  // or for an empty text.
  void Do(const std::string& text);
  // Replaces the command of the first binding of the code, else adds one.
  void BindKey(int code, const std::string& command);
  // One final newline is dropped.
  void AddLine(std::string text);
  // Draws through the view while open.
  void Render();
  void Shutdown();
  // The view stays the caller's; null draws nothing.
  void SetView(ConsoleView* view) { view_ = view; }

  void OnKeyDown(const input::KeyState* key) override;

  bool IsOpen() const { return open_; }
  LuaPlus::LuaState* GetState() const { return state_; }
  const std::deque<std::string>& GetHistory() const { return history_; }
  const std::string& GetPrompt() const { return prompt_; }
  const std::vector<KeyBinding>& GetBindings() const { return bindings_; }
  float GetTextHeight() const { return textHeight_; }
  float GetPromptPos() const { return promptPos_; }
  float GetBackgroundHeight() const { return backgroundHeight_; }

 private:
  void EnterPrompt();
  void RecallCommand(size_t cursor);
  void TypeKey(int code);

  ConsoleView* view_ = nullptr;
  bool open_ = false;
  std::deque<std::string> history_;
  std::string prompt_;
  LuaPlus::LuaState* state_ = nullptr;
  float promptPos_ = 0.4f;
  float backgroundHeight_ = 0.45f;
  float textHeight_ = 0.35f;
  size_t commandCursor_ = 0;
  std::deque<std::string> commands_;
  std::vector<KeyBinding> bindings_;
};

// The log's line hook: every flushed log line becomes a history line.
void LogHook(const char* text);
// The class "Console" with "Do", and the global "GetConsole".
void RegisterLua(LuaPlus::LuaState* state);

}  // namespace console

console::Console* GetConsole();
