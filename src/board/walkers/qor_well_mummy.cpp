// The game board's side of its mummy: raised by the nest, ticked, drawn and
// deleted once gone.
#include "board/qor_well.h"
#include "board/walkers/qor_mummy.h"

void QORWell::CreateMummy(int32_t x, int32_t y) {
  delete mummy_;
  mummy_ = new QORMummy(this);
  mummy_->PlaceAt(x, y);
  mummy_->Think();
}

void QORWell::TickMummy(float dt) {
  if (!mummy_) return;
  if (mummy_->TickSprite(dt)) mummy_->Think();
  mummy_->TickStepTimer(dt);
  if (mummy_->GetState() != QORMummy::kGone) return;
  delete mummy_;
  mummy_ = nullptr;
}

bool QORWell::GetMummyCell(int32_t& x, int32_t& y) const {
  if (!mummy_) return false;
  x = mummy_->GetCell().x;
  y = mummy_->GetCell().y;
  return true;
}

bool QORWell::GetMummyScreenPosition(math::Vec2& position) const {
  if (!mummy_) return false;
  position = mummy_->GetScreenPosition();
  return true;
}

void QORWell::DrawMummy(float alpha) {
  if (!mummy_) return;
  mummy_->SetAlpha(alpha);
  mummy_->Draw();
}
