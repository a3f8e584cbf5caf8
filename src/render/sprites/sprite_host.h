// What a UI sprite needs of the user interface above the renderer: the
// owner's "clip_ended" script at the end of an animation cycle, and the
// language name that replaces "###" in image names. The UI hands in its
// implementation at start-up; without one the language is "English" and
// nothing runs at the end of a cycle.
#pragma once
#include <string>

namespace ui {

class UIWidget;

class SpriteHost {
 public:
  virtual ~SpriteHost() = default;
  // Runs the owner's "clip_ended" script when it has one.
  virtual void RunClipEnded(UIWidget* owner) = 0;
  virtual const std::string& GetLanguage() const = 0;
};

// The host in use; null restores the default.
void SetSpriteHost(SpriteHost* host);
SpriteHost& GetSpriteHost();

}  // namespace ui
