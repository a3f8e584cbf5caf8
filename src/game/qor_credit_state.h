// The credits, registered as "credits": the lines of "scripts/credits.lua"
// scroll up the screen through 17 text widgets that take the next line in
// turn each time they leave the top, endlessly, until the scripts leave.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/countdown_timer.h"
#include "ui/gameflow/game_screen.h"

namespace ui {
class UIWidget;
}

class QORCreditState : public gameflow::GameScreen {
 public:
  static constexpr int kSlotCount = 17;
  // Seconds a line takes to cross the screen.
  static constexpr float kCrossingSeconds = 7.0f;
  // A line enters at the bottom edge and leaves above the top one.
  static constexpr float kStartY = 1.0f;
  static constexpr float kEndY = -0.1f;
  static constexpr const char* kPanelFile = "ui/credits.ui";
  static constexpr const char* kCreditsFile = "scripts/credits.lua";

  struct CreditSlot {
    ui::UIWidget* widget = nullptr;  // the UI manager's
    CountdownTimer timer{kCrossingSeconds, kCrossingSeconds};
  };
  struct Line {
    std::string text;
    bool highlighted = false;
  };

  // Reads the credits once; they are not read again on entry.
  explicit QORCreditState(camera::PerspectiveCamera* camera, const std::string& creditsFile = kCreditsFile);
  ~QORCreditState() override;

  // Spreads the slots over the screen, starting again from the first line.
  bool OnEnter() override;
  bool OnExit() override;
  bool Tick(float dt) override;

  const std::vector<Line>& GetLines() const { return lines_; }
  const CreditSlot& GetSlot(int index) const { return slots_[index]; }
  int GetNextLine() const { return nextLine_; }

 private:
  void ReadCredits(const std::string& file);
  void AssignNextLine(CreditSlot& slot);

  CreditSlot slots_[kSlotCount];
  std::vector<Line> lines_;
  int nextLine_ = 0;
};
