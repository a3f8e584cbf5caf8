// The widget of type "flash": it owns one playing movie, loaded from a
// panel's "FlashMovie" key or set from Lua, steps it with the UI's frame
// time (also while hidden) and draws it in the widget's rectangle in place
// of the widget's images and text. Movies get no mouse and no keys. Scripts
// reach it under the class name "SliderWidget".
#pragma once
#include <memory>
#include <string>

#include "swf/engine/flash_movie.h"
#include "ui/widgets/ui_widget.h"

namespace ui {

class UIFlashWidget : public UIWidget {
 public:
  static constexpr int kType = kTypeFlash;

  // Makes sure the movie player's driver exists.
  UIFlashWidget(UIWidget* parent, const std::string& name);
  ~UIFlashWidget() override;

  bool Load(const LuaPlus::LuaObject& table) override;
  bool Update(float dt) override;
  bool Render(bool force) override;
  // After a device reset the movie is made anew from its file.
  void ResetResources() override;
  // The clone has no movie.
  UIWidget* GetClone() override;
  bool SaveType(WriteLua& writer) override;

  // The same file again restarts the movie (with a warning); another one
  // replaces it; an empty name removes it. A movie whose file failed to load
  // stays, empty: it neither plays nor draws.
  void SetFlashClip(const std::string& file);
  void Reset();
  void SetLoop(bool looping);
  void PauseClip(bool paused);
  // False without a movie.
  bool IsLooping() const;
  bool IsPaused() const;
  flash::FlashMovie* GetMovie() const { return movie_.get(); }

  static void RegisterLua(LuaPlus::LuaState* state);

 private:
  std::unique_ptr<flash::FlashMovie> movie_;
};

}  // namespace ui
