// The game board's side of its walkers: what the board's list logic asks
// of each walker, the rival it makes, and the critters' strikes on the
// explorer.
#include "board/explorer/qor_explorer.h"
#include "board/qor_well.h"
#include "board/walkers/qor_shady.h"
#include "board/walkers/qor_walker.h"

bool QORWell::GetWalkerCell(const QORWalker* walker, int32_t& x, int32_t& y) const {
  if (!walker) return false;
  x = walker->GetCell().x;
  y = walker->GetCell().y;
  return true;
}

int32_t QORWell::GetWalkerType(const QORWalker* walker) const {
  return walker ? walker->GetType() : QORWalker::kNoKind;
}

bool QORWell::CanWalkerBeKilled(const QORWalker* walker) const { return walker && walker->CanBeKilled(); }

void QORWell::StunWalker(QORWalker* walker, float seconds) {
  if (walker && walker->GetType() == QORWalker::kShady) static_cast<QORShady*>(walker)->Stun(seconds);
}

math::Vec2 QORWell::GetWalkerScreenPosition(const QORWalker* walker) const {
  return walker ? walker->GetSpritePosition() : math::Vec2(0.0f, 0.0f);
}

void QORWell::DestroyWalker(QORWalker* walker) {
  if (!walker) return;
  walker->OnRemoved();
  delete walker;
}

QORWalker* QORWell::MakeShady(int32_t x, int32_t y) {
  auto* shady = new QORShady(this);
  shady->PlaceAt(x, y);
  return shady;
}

void QORWell::KnockOutExplorer() {
  if (explorer_) explorer_->KnockOut();
}

void QORWell::SetExplorerIdle() {
  if (explorer_) explorer_->SetIdle();
}
