// Draws the console on the graphics device: its background across the top of
// the screen, the newest history lines upwards from the text height, and the
// prompt, in "ConsoleFont".
#pragma once
#include <string>

#include "core/script/console.h"

class Font;
class Image;

namespace console {

class ConsoleDrawer : public ConsoleView {
 public:
  ~ConsoleDrawer() override;

  // Loads the background and finds or makes "ConsoleFont".
  void Load(const Console& console, const std::string& face) override;
  void Draw(const Console& console) override;
  void Unload() override;

  Font* GetFont() const { return font_; }

 private:
  void DrawBackground(const Console& console);
  void DrawHistory(const Console& console);

  Font* font_ = nullptr;
  Image* background_ = nullptr;
};

}  // namespace console
