// The scripts' way into the engine. The one object, made by the application,
// is what "GetScript" hands the scripts for the file dialogs; RegisterLua
// gives the main Lua state the engine's maths, the display, font, locale,
// screenshot and test-sound functions, and every component's own classes.
#pragma once
#include <string>

#include "platform/lua/luaplus.h"

class GameScript {
 public:
  // The open dialog under the title: the chosen path, or "" on a cancel. A
  // full-screen game shows it windowed and returns to full screen after.
  std::string GetOpenFile(const std::string& title);
  // The save dialog, titled "Save Level" whatever is passed.
  std::string GetSaveFile(const std::string& unused);

  // Once, into the console's state, right after the console starts.
  static void RegisterLua(LuaPlus::LuaState* state);

  // What the scripts call by the same names.
  static void LoadLanguage(const std::string& path);
  static void HardQuitGame();
  // Each switches only when the mode differs.
  static void FullScreenMode();
  static void WindowedMode();
  static bool IsFullscreenMode();
  // A font of that name is left as it is.
  static void CreateFont(const std::string& name, const std::string& face, int width, int height);
  // The font of that name, else the current font, with the character set and
  // line spacing of the current locale; with neither, CreateFont.
  static void ResizeFont(const std::string& name, const std::string& face, int width, int height, int weight);
  static void SetFontBorder(const std::string& name, bool on);
  // The frame being drawn is saved as the name + ".bmp" when it ends.
  static void TakeScreenshot(const std::string& fileName, bool halfSize);
  static void ToggleFilter();
  static void ReloadImages();
  static void ForceSave();
  // "sounds/block_select.ogg", at most once in 0.8 s of game time and never
  // over itself.
  static void StartPlayTestSound();
  static void ForceRedraw();
  static void SetLocale(const std::string& name);
  static const std::string& GetLocale();
};
