#include "board/walkers/qor_cobra.h"

#include "board/qor_board_view.h"

QORCobra::QORCobra(QORBoardView* board) : QORWalker(board, nullptr) {
  SetPace(kPace);
  ShowImage("cobra_idle");
}

void QORCobra::Think() {
  Arrive();
  stepTimer_.remaining = kPace;
  int32_t ex = 0, ey = 0;
  const int32_t x = cell_.x, y = cell_.y;
  if (board_->GetExplorerCell(ex, ey) && ex >= x - 1 && ex <= x + 2 && ey >= y - 1 && ey <= y + 2) {
    ShowImage(ex <= x ? "cobra_strike_left" : "cobra_strike_right");
    board_->KnockOutExplorer();
    PlaySet("cobra strike");
  } else {
    ShowImage("cobra_idle");
  }
}
