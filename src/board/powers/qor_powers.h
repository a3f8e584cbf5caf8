// The nine special powers. Each acts on the cells around the click (or, for
// power 3, on the mummy), plays its overlay and burst on each cell it
// changes, and uses a charge when it changed something; see each class.
#pragma once
#include <cstdint>

#include "board/powers/qor_power.h"

// Power 1: the floor tile under a token turns to gold.
class QORPowerGild : public QORPower {
 public:
  explicit QORPowerGild(QORBoardView* board) : QORPower(board, 1) {}
  bool OnClick(const math::Vec2& point) override;
  void Draw() override;
};

// Power 2: the floor under every token of the 3 x 3 square turns to gold.
class QORPowerGildArea : public QORPower {
 public:
  explicit QORPowerGildArea(QORBoardView* board) : QORPower(board, 2) {}
  bool OnClick(const math::Vec2& point) override;
  void Draw() override;
};

// Power 3: the mummy is banished, wherever it is.
class QORPowerBanish : public QORPower {
 public:
  explicit QORPowerBanish(QORBoardView* board) : QORPower(board, 3) {}
  // Always true: without a mummy nothing happens and no charge is used.
  bool OnClick(const math::Vec2& point) override;
  // Does the work: the banishment, its effects, sound and charge.
  void AfterUse() override;
};

// Powers 4 and 5: every token of the clicked column or row is destroyed.
class QORPowerLine : public QORPower {
 public:
  bool OnClick(const math::Vec2& point) override;
  void Draw() override;

 protected:
  QORPowerLine(QORBoardView* board, int32_t number, bool column, size_t overlay, size_t burst);

 private:
  // The line through the cell: first and last cell, inclusive.
  void GetLine(int32_t x, int32_t y, int32_t& x0, int32_t& y0, int32_t& x1, int32_t& y1) const;

  bool column_;
  size_t overlay_;
  size_t burst_;
};

class QORPowerColumn : public QORPowerLine {
 public:
  explicit QORPowerColumn(QORBoardView* board);
};

class QORPowerRow : public QORPowerLine {
 public:
  explicit QORPowerRow(QORBoardView* board);
};

// Power 6: tokens and rocks of the 3 x 3 square are destroyed and the webs
// under them torn.
class QORPowerBlast : public QORPower {
 public:
  explicit QORPowerBlast(QORBoardView* board) : QORPower(board, 6) {}
  bool OnClick(const math::Vec2& point) override;
  void Draw() override;
};

// Power 7: the tokens of the clicked token's colour within 3 cells of it
// are destroyed.
class QORPowerColour : public QORPower {
 public:
  static constexpr int32_t kReach = 3;
  explicit QORPowerColour(QORBoardView* board) : QORPower(board, 7) {}
  bool OnClick(const math::Vec2& point) override;
  void Draw() override;
};

// Power 8: every walker within a cell of the click leaves the board, the
// rival included.
class QORPowerBugSpray : public QORPower {
 public:
  explicit QORPowerBugSpray(QORBoardView* board) : QORPower(board, 8) {}
  // Always true, and always uses a charge.
  bool OnClick(const math::Vec2& point) override;
  void Draw() override;
};

// Power 9: the web on the cell is torn, or else the rock on it destroyed.
class QORPowerUnweb : public QORPower {
 public:
  explicit QORPowerUnweb(QORBoardView* board) : QORPower(board, 9) {}
  bool OnClick(const math::Vec2& point) override;
  void Draw() override;
};
