// How a game board is filled with blocks: a small strategy the board holds
// and calls when a level has loaded, after every logic step, every frame and
// when it draws. "arcade" fills every free cell when the level starts and
// refills the spawn cells after each step; "track" (the scarab race) leaves
// filling to its board.
#pragma once
#include <memory>
#include <string>

class QORBoardView;

class QORWellMode {
 public:
  explicit QORWellMode(QORBoardView* board) : board_(board) {}
  virtual ~QORWellMode() = default;
  QORWellMode(const QORWellMode&) = delete;
  QORWellMode& operator=(const QORWellMode&) = delete;

  // Called by the level loader after loading, outside the editor.
  virtual void OnLevelLoaded() {}
  // Kept in its place among the operations; no mode does anything in it.
  virtual void ReservedHook() {}
  // Called at the end of every logic step of the board, outside the editor.
  virtual void OnStep() {}
  virtual void Tick(float /*dt*/) {}
  virtual void Draw() {}

  // The mode a name asks for, without regard to case: arcade when the name
  // holds "arcade", else track when it holds "track", else arcade.
  static std::unique_ptr<QORWellMode> GetMode(const std::string& name, QORBoardView* board);

 protected:
  QORBoardView* board_;
};

class QORArcadeMode : public QORWellMode {
 public:
  using QORWellMode::QORWellMode;
  // Offers every cell a random block; occupied cells refuse it.
  void OnLevelLoaded() override;
  void OnStep() override;
};

class QORTrackMode : public QORWellMode {
 public:
  using QORWellMode::QORWellMode;
};
