// The game board's side of the powers: made for the HUD, and the walkers
// a power takes off the board.
#include <algorithm>
#include <memory>

#include "board/powers/qor_powers.h"
#include "board/qor_well.h"

QORPower* QORWell::CreatePower(int32_t index) {
  switch (index + 1) {
    case 1: return new QORPowerGild(this);
    case 2: return new QORPowerGildArea(this);
    case 3: return new QORPowerBanish(this);
    case 4: return new QORPowerColumn(this);
    case 5: return new QORPowerRow(this);
    case 6: return new QORPowerBlast(this);
    case 7: return new QORPowerColour(this);
    case 8: return new QORPowerBugSpray(this);
    case 9: return new QORPowerUnweb(this);
    default: return nullptr;
  }
}

bool QORWell::RemoveListedWalker(QORWalker* walker) {
  auto listed = std::find(walkers_.begin(), walkers_.end(), walker);
  if (listed == walkers_.end()) return false;
  RemoveWalker(listed);
  return true;
}
