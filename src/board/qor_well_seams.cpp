// The board's calls into the parts built on it, inert until each lands: the
// board then behaves as if the HUD, help, tutorial, mode, explorer, mummy,
// goal map and game variables were missing, which every step of it skips.
// Each part moves its group into its own source.
#include "board/qor_well.h"

#include "board/blocks/qor_well_mode.h"

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
