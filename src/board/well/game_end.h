// The base of the screens that close a level: a UI panel over the board, a
// repeating 0.3 s beat, a queue of steps played one after another, and
// numbers counting up in named widgets of the panel. The board holds at most
// one, draws it after everything else of the board and ticks it every frame.
#pragma once
#include <string>

namespace ui {
class UIWidget;
}

namespace well {

class BaseWell;

class GameEnd {
 public:
  // An empty panel file name gives a screen without a panel.
  GameEnd(BaseWell* board, const std::string& panelFile);
  virtual ~GameEnd();
  GameEnd(const GameEnd&) = delete;
  GameEnd& operator=(const GameEnd&) = delete;

  virtual void Draw();
  virtual void DrawOverlay() {}
  virtual void Tick(float dt);
  virtual void Start() { started_ = true; }
  virtual bool ReservedFlag() { return true; }
  virtual void OnTimer() {}
  virtual void SetNumber(const std::string& widgetName, float target, float start, bool asTime, float delay);
  virtual void AddCountingNumber(ui::UIWidget* widget, float target, float start, bool asTime, float delay);
  virtual void SetWidgetText(const std::string& widgetName, const std::string& text);

  void HidePanel();
  bool IsStarted() const { return started_; }
  BaseWell* GetBoard() const { return board_; }
  ui::UIWidget* GetPanel() const { return panel_; }
  // Steps still queued.
  bool HasSteps() const;

 private:
  bool started_ = false;
  BaseWell* board_;
  ui::UIWidget* panel_ = nullptr;
};

}  // namespace well
