// A state defined by data: the UI panel files it shows while it is current,
// a Lua script run on entry and one run on exit, and a white overlay that
// fades the screen in after a change of state. It draws the UI, the console
// and the queued text through its camera.
#pragma once
#include <string>
#include <vector>

#include "core/input/mouse_listener.h"
#include "render/sprites/ui_sprite.h"
#include "ui/gameflow/game_state.h"

class Graphics;

namespace camera {
class PerspectiveCamera;
}

namespace ui {
class UIWidget;
}

namespace gameflow {

class GameScreen : public GameState, public input::MouseListener {
 public:
  static constexpr const char* kFadeImage = "ui_img/fade_bg.png";

  // An empty panel file gives a screen without panels; the camera is not
  // owned and may be null.
  GameScreen(camera::PerspectiveCamera* camera, const std::string& panelFile, const std::string& enterScript,
             const std::string& exitScript);
  ~GameScreen() override;

  // Shows its panels, loading them on the first entry, then runs the enter script.
  bool OnEnter() override;
  // Hides its panels, which stay with the UI manager, then runs the exit script.
  bool OnExit() override;
  bool Tick(float dt) override;
  bool Render() override;

  // Hooks for the screens the game derives; their results are not used.
  virtual bool PreRenderUI() { return true; }
  virtual bool PostRenderUI() { return true; }
  virtual bool OnPanelsLoaded() { return true; }

  // The fade overlay, while the manager's fade flag is on and a fade runs.
  void RenderFade();

  const std::vector<ui::UIWidget*>& GetPanels() const { return panels_; }
  const ui::UISprite& GetFadeSprite() const { return fadeSprite_; }

 private:
  // Through the camera, or on black straight through the device without one.
  bool BeginFrame(Graphics& graphics);
  bool EndFrame(Graphics& graphics);

  camera::PerspectiveCamera* camera_;
  std::vector<ui::UIWidget*> panels_;  // the UI manager's
  std::vector<std::string> panelFiles_;
  std::string enterScript_;
  std::string exitScript_;
  ui::UISprite fadeSprite_;
};

}  // namespace gameflow
