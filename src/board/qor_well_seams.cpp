// The board's calls into the parts built on it, inert until each lands: the
// board then behaves as if the HUD, help, tutorial, mode, game blocks,
// explorer, mummy, goal map, walkers and game variables were missing, which
// every step of it skips. Each part moves its group into its own source.
#include "board/qor_well.h"

#include "board/blocks/qor_well_mode.h"

// --- Walkers and the rival: no walker exists before them.

bool QORWell::GetWalkerCell(const QORWalker*, int32_t&, int32_t&) const { return false; }
int32_t QORWell::GetWalkerType(const QORWalker*) const { return -1; }
bool QORWell::CanWalkerBeKilled(const QORWalker*) const { return false; }
void QORWell::StunWalker(QORWalker*, float) {}
math::Vec2 QORWell::GetWalkerScreenPosition(const QORWalker*) const { return {}; }
int32_t QORWell::GetWalkerTurnSense(const QORWalker*) const { return 1; }
void QORWell::TickWalker(QORWalker*, float) {}
bool QORWell::IsWalkerDone(const QORWalker*) const { return false; }
void QORWell::DrawWalker(QORWalker*) {}
void QORWell::SetWalkerAlpha(QORWalker*, float) {}
void QORWell::WalkerTryAttack(QORWalker*) {}
void QORWell::DestroyWalker(QORWalker*) {}
QORWalker* QORWell::MakeShady(int32_t, int32_t) { return nullptr; }

// --- The powers: the HUD's buttons stay empty before them.

QORPower* QORWell::CreatePower(int32_t) { return nullptr; }

// --- The mummy.

void QORWell::TickMummy(float) {}
bool QORWell::GetMummyCell(int32_t&, int32_t&) const { return false; }
void QORWell::DrawMummy(float) {}
bool QORWell::GetMummyScreenPosition(math::Vec2&) const { return false; }
void QORWell::BanishMummy() {}
void QORWell::CreateMummy(int32_t, int32_t) {}
void QORWell::CastMummyMagic() {}

// --- Objects of a level in play, deleted with the board.

void QORWell::DeleteLevelObjects() {
  delete mode_;
  mode_ = nullptr;
}
