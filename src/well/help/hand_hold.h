// A tutorial: steps run one after another, each begun when it comes first
// and deleted once done.
#pragma once
#include <deque>
#include <memory>

namespace well {

class BaseWell;
class HandHoldStep;

class HandHold {
 public:
  explicit HandHold(BaseWell* board) : board_(board) {}
  virtual ~HandHold();
  HandHold(const HandHold&) = delete;
  HandHold& operator=(const HandHold&) = delete;

  // The hand-hold owns the step from now on.
  void AddStep(HandHoldStep* step);
  HandHoldStep* GetCurrentStep() const { return steps_.empty() ? nullptr : steps_.front().get(); }
  // Begins the first step when due, ticks it and, once it is done, ends and
  // deletes it and begins the next at once.
  void Tick(float dt);

  BaseWell* GetBoard() const { return board_; }
  size_t GetStepCount() const { return steps_.size(); }

 private:
  BaseWell* board_;
  std::deque<std::unique_ptr<HandHoldStep>> steps_;
  bool beginPending_ = true;
};

}  // namespace well
