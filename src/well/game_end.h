// The screen that closes a level: a UI panel over the board, a repeating
// 0.3 s beat, a queue of steps played one after another, and numbers that
// count up (or down) in named widgets of the panel. The board keeps at most
// one, draws it after everything else of the board and ticks it every
// frame; the level-won, defeat and summary screens derive from it.
#pragma once
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "core/countdown_timer.h"

namespace ui {
class UIWidget;
}

namespace well {

class BaseWell;

// One step of an end screen: it waits, then runs, and is done when both
// times have run out.
class GameEndStep {
 public:
  GameEndStep(float wait, float duration) : wait_(wait, wait), run_(duration, duration) {}
  virtual ~GameEndStep() = default;
  GameEndStep(const GameEndStep&) = delete;
  GameEndStep& operator=(const GameEndStep&) = delete;

  // The wait runs first, then the run.
  virtual void Tick(float dt);
  virtual void Draw() {}
  // Called once, when the step is done, before it is deleted.
  virtual void Finish() {}

  bool IsDone() const { return wait_.IsExpired() && run_.IsExpired(); }
  const CountdownTimer& GetWait() const { return wait_; }
  const CountdownTimer& GetRun() const { return run_; }

 private:
  CountdownTimer wait_;
  CountdownTimer run_;
};

class GameEnd {
 public:
  static constexpr float kBeat = 0.3f;
  // Every number takes this long from the end of its delay to its target.
  static constexpr float kCountSeconds = 5.0f;

  struct CountingNumber {
    float start = 0.0f;
    float target = 0.0f;
    float current = 0.0f;
    float speed = 0.0f;  // per second, negative when counting down
    ui::UIWidget* widget = nullptr;
    uint8_t asTime = 0;
    float delay = 0.0f;
  };

  // An empty file name makes a screen without a panel; otherwise the panel
  // is added (or the listed one of its name reused), put in front and shown.
  GameEnd(BaseWell* board, const std::string& panelFile);
  // Hides the panel, which stays with the UI manager.
  virtual ~GameEnd();
  GameEnd(const GameEnd&) = delete;
  GameEnd& operator=(const GameEnd&) = delete;

  // The front step's drawing.
  virtual void Draw();
  // Drawn last of the board's overlay.
  virtual void DrawOverlay() {}
  virtual void Tick(float dt);
  virtual void Start() { started_ = 1; }
  virtual bool ReservedFlag() { return true; }
  // Each time the beat runs out; it then starts again at its period.
  virtual void OnTimer() {}
  // Counts in the panel's widget of that name, when there is one.
  virtual void SetNumber(const std::string& widgetName, float target, float start, bool asTime, float delay);
  // Nothing for a null widget.
  virtual void AddCountingNumber(ui::UIWidget* widget, float target, float start, bool asTime, float delay);
  virtual void SetWidgetText(const std::string& widgetName, const std::string& text);

  void HidePanel();
  // Queued after the steps already waiting.
  void AddStep(std::unique_ptr<GameEndStep> step);
  // Started, and no step left.
  bool IsFinished() const { return started_ != 0 && steps_.empty(); }
  bool IsStarted() const { return started_ != 0; }
  // Steps still queued.
  bool HasSteps() const { return !steps_.empty(); }

  BaseWell* GetBoard() const { return board_; }
  ui::UIWidget* GetPanel() const { return panel_; }
  float GetElapsed() const { return elapsed_; }
  const CountdownTimer& GetBeat() const { return beat_; }
  const std::vector<CountingNumber>& GetNumbers() const { return numbers_; }
  size_t GetStepCount() const { return steps_.size(); }

 protected:
  // The beat's period and what is left of it: each beat lasts this long.
  void SetBeatPeriod(float seconds) { beat_.period = beat_.remaining = seconds; }
  // A screen may take a panel listed elsewhere as its own.
  void SetPanel(ui::UIWidget* panel) { panel_ = panel; }
  // The panel, when it is still listed with the UI manager.
  ui::UIWidget* LivePanel() const;

 private:
  void CountNumbers(float dt);

  CountdownTimer beat_{kBeat, kBeat};
  uint8_t started_ = 0;
  BaseWell* board_;
  ui::UIWidget* panel_ = nullptr;
  float elapsed_ = 0.0f;
  std::list<std::unique_ptr<GameEndStep>> steps_;
  std::vector<CountingNumber> numbers_;
};

}  // namespace well
